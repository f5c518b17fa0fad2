// Feeds arbitrary bytes, as one command message, through the dispatcher's
// framing and the parse of that message, then through two update
// traversals of the scene, synchronously and without a window. Every input
// starts from a fresh store, user registry and scene, so a saved input
// does alone what it did in the campaign. Replies go to a UDP socket of our
// own that nobody reads.

#include "FreshSession.h"
#include "support/LoopbackUdp.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

FreshSession* session = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A loopback port that swallows the replies, open while the target runs.
    static LoopbackUdp replySink;
    session = new FreshSession(replySink.portText());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    session->run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}

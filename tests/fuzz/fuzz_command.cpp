// Feeds arbitrary bytes, as one command message, through the dispatcher's
// framing and the parse of that message, synchronously and without a window.
// Replies go to a UDP socket of our own that nobody reads.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "support/LoopbackUdp.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    createShapeDefs();
    static ConfigPresets presets;
    Config::getInstance()->add("Router", "127.0.0.1");
    // A loopback port that swallows the replies, open while the target runs.
    static LoopbackUdp replySink;
    Config::getInstance()->add("RouterFeedBackPort", replySink.portText());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As the intake thread queues it: the text up to the first zero byte.
    std::string message(reinterpret_cast<const char*>(data), size);
    message.resize(message.find('\0') == std::string::npos ? size : message.find('\0'));
    CommandParser::getInstance()->parseCommand(message);
    return 0;
}

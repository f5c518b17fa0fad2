// Feeds arbitrary bytes, as one command message, through the dispatcher's
// framing and the parse of that message, synchronously and without a window.
// Replies go to a UDP socket of our own that nobody reads.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// A loopback port that swallows the replies.
std::string replySinkPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return std::to_string(ntohs(address.sin_port));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    createShapeDefs();
    static ConfigPresets presets;
    Config::getInstance()->add("Router", "127.0.0.1");
    Config::getInstance()->add("RouterFeedBackPort", replySinkPort());
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

#include "unit/dispatch_support.h"

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "MainNode.h"
#include "StringType.h"
#include "ThreadQueue.h"
#include "VarType.h"
#include "Variables.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cmath>
#include <limits>

DispatchHarness& DispatchHarness::get()
{
    static DispatchHarness* harness = new DispatchHarness;
    harness->aimReports();
    return *harness;
}

DispatchHarness::DispatchHarness()
{
    static bool registered = false;
    if (!registered) {
        createShapeDefs();
        registered = true;
    }
    static ConfigPresets presets;

    fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    int buffer = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    aimReports();

    sceneRoot = new MainNode;
    sceneRoot->ref();
    commandQueue = new ThreadQueue<std::string>;
    commandQueue->setBlock(&block);
    CommandParser::getInstance()->initParser(commandQueue, sceneRoot);
}

void DispatchHarness::aimReports()
{
    // Written only when changed: the command thread reads the settings.
    Config* config = Config::getInstance();
    if (config->get("Router") != "127.0.0.1")
        config->add("Router", "127.0.0.1");
    if (config->get("RouterFeedBackPort") != std::to_string(port))
        config->add("RouterFeedBackPort", std::to_string(port));
}

std::string DispatchHarness::newAddress()
{
    return "10.9." + std::to_string(getpid() % 250) + "." + std::to_string(addresses++);
}

std::vector<std::string> DispatchHarness::send(const std::string& address, const std::string& port,
                                               const std::string& command)
{
    return sendRaw(address + ":" + port + command);
}

std::vector<std::string> DispatchHarness::sendRaw(const std::string& message)
{
    drain();
    CommandParser::getInstance()->parseCommand(message);
    return drain();
}

void DispatchHarness::queue(const std::string& message)
{
    commandQueue->add(message);
}

std::vector<std::string> DispatchHarness::drain()
{
    std::vector<std::string> datagrams;
    for (;;) {
        std::string buffer(70000, '\0');
        const ssize_t n = recv(fd, &buffer[0], buffer.size(), MSG_DONTWAIT);
        if (n < 0)
            return datagrams;
        buffer.resize(static_cast<std::size_t>(n));
        datagrams.push_back(buffer);
    }
}

std::string DispatchHarness::next(int timeoutMs)
{
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0)
        return "";
    std::string buffer(70000, '\0');
    const ssize_t n = recv(fd, &buffer[0], buffer.size(), MSG_DONTWAIT);
    buffer.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return buffer;
}

std::string DispatchHarness::stringValue(const std::string& fullName)
{
    Type* value = nullptr;
    if (!Variables::getInstance()->get(fullName, value) || value->asStringType() == nullptr)
        return "";
    return value->asStringType()->getString();
}

double DispatchHarness::numberValue(const std::string& fullName)
{
    Type* value = nullptr;
    if (!Variables::getInstance()->get(fullName, value) || value->asVarType() == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
    return value->asVarType()->getValue();
}

bool DispatchHarness::exists(const std::string& fullName)
{
    return Variables::getInstance()->exists(fullName);
}

#include "MessageFraming.h"

#include <algorithm>

bool frameMessage(std::string message, MessageFrame& out)
{
    message.erase(std::remove(message.begin(), message.end(), '\n'), message.end());

    const std::size_t blank = message.find(' ');
    if (blank == std::string::npos)
        return false;
    const std::size_t colon = message.find(':');
    if (colon == std::string::npos || colon > blank)
        return false;

    out.address = message.substr(0, colon);
    out.port = message.substr(colon + 1, blank - colon - 1);
    out.command = message.substr(blank);
    return true;
}

std::string buildMessage(const std::string& address, const std::string& port, const std::string& command)
{
    return address + ":" + port + " " + command;
}

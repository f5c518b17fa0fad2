#include "ReportSocket.h"

#include "Config.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iostream>

ReportSocket* ReportSocket::instance = nullptr;

ReportSocket* ReportSocket::getInstance()
{
    static ReportSocket* created = new ReportSocket();
    instance = created;
    return instance;
}

int ReportSocket::descriptor()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (socketDescriptor == -1) {
        socketDescriptor = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
        if (socketDescriptor == -1)
            perror("reprotError:");
    }
    return socketDescriptor;
}

bool ReportSocket::resolve(const std::string& host, in_addr& out)
{
    std::lock_guard<std::mutex> lock(mutex);
    auto known = resolved.find(host);
    if (known == resolved.end()) {
        Resolution resolution{false, {}};
        if (inet_aton(host.c_str(), &resolution.address) != 0) {
            resolution.found = true;
        } else {
            addrinfo hints{};
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_DGRAM;
            addrinfo* found = nullptr;
            const int status = getaddrinfo(host.c_str(), nullptr, &hints, &found);
            if (status == 0 && found != nullptr) {
                resolution.address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
                resolution.found = true;
            } else {
                std::cerr << "reportError: cannot resolve router '" + host + "': " + gai_strerror(status) +
                                 "; reports are dropped\n";
            }
            if (found != nullptr)
                freeaddrinfo(found);
        }
        known = resolved.emplace(host, resolution).first;
    }
    if (known->second.found)
        out = known->second.address;
    return known->second.found;
}

uint16_t reportPortFromText(const std::string& text)
{
    const double value = stringToDouble(text);
    // Outside int range (overflow, infinities) there is no port to cut.
    if (!std::isfinite(value) || value <= double(INT_MIN) - 1.0 || value >= double(INT_MAX) + 1.0)
        return 0;
    return static_cast<uint16_t>(static_cast<int>(value) & 0xFFFF);
}

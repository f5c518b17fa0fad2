#pragma once
// A UDP socket bound to a free port of 127.0.0.1: the router host that
// receives the viewer's reports in unit tests, benchmarks and the fuzz
// target.

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class LoopbackUdp {
public:
    // receiveBufferBytes > 0 asks for a larger receive buffer, for bursts.
    explicit LoopbackUdp(int receiveBufferBytes = 0) : socket_(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return;
        socklen_t length = sizeof address;
        if (::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
        if (receiveBufferBytes > 0)
            ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes, sizeof receiveBufferBytes);
    }
    ~LoopbackUdp()
    {
        if (socket_ >= 0)
            ::close(socket_);
    }
    LoopbackUdp(const LoopbackUdp&) = delete;
    LoopbackUdp& operator=(const LoopbackUdp&) = delete;

    // 0 when the socket could not be bound.
    uint16_t port() const { return port_; }
    std::string portText() const { return std::to_string(port_); }

    // The next datagram to arrive within timeoutMs (0: only one already
    // waiting).
    std::optional<std::string> next(int timeoutMs)
    {
        pollfd waiting{socket_, POLLIN, 0};
        if (::poll(&waiting, 1, timeoutMs) <= 0)
            return std::nullopt;
        std::string datagram(70000, '\0');
        const ssize_t n = ::recv(socket_, datagram.data(), datagram.size(), MSG_DONTWAIT);
        if (n < 0)
            return std::nullopt;
        datagram.resize(static_cast<std::size_t>(n));
        return datagram;
    }

    // Every datagram already waiting, in order of arrival.
    std::vector<std::string> drain()
    {
        std::vector<std::string> datagrams;
        while (std::optional<std::string> datagram = next(0))
            datagrams.push_back(std::move(*datagram));
        return datagrams;
    }

private:
    int socket_;
    uint16_t port_ = 0;
};

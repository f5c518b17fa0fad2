#include "ViewerClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zmq.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace {

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

}  // namespace

ViewerClient::ViewerClient(const std::string& router, uint16_t feedbackPort)
    : router_(router), feedbackPort_(feedbackPort)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(feedbackPort);
    if (inet_aton(router.c_str(), &address.sin_addr) == 0) {
        error_ = "not a dotted IPv4 address: " + router;
        return;
    }
    udpSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (udpSocket < 0 || bind(udpSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error_ = "cannot bind UDP " + router + ":" + std::to_string(feedbackPort) + ": " + strerror(errno);
        return;
    }
    const int receiveBuffer = 4 << 20;
    setsockopt(udpSocket, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);

    context = zmq_ctx_new();
    publisher = zmq_socket(context, ZMQ_XPUB);
    const int unlimited = 0;
    const int lingerMs = 2000;
    zmq_setsockopt(publisher, ZMQ_SNDHWM, &unlimited, sizeof unlimited);
    zmq_setsockopt(publisher, ZMQ_LINGER, &lingerMs, sizeof lingerMs);
    const std::string endpoint = "tcp://" + router + ":" + std::to_string(commandPort);
    if (zmq_bind(publisher, endpoint.c_str()) != 0)
        error_ = "cannot bind " + endpoint + ": " + zmq_strerror(zmq_errno());
}

ViewerClient::~ViewerClient()
{
    if (publisher)
        zmq_close(publisher);
    if (context)
        zmq_ctx_term(context);
    if (udpSocket >= 0)
        close(udpSocket);
}

std::unique_ptr<ViewerClient> ViewerClient::claimLoopback(uint16_t feedbackPort)
{
    const int first = int(getpid() % 253);
    for (int i = 0; i < 253; ++i) {
        const std::string router = "127.0.0." + std::to_string(2 + (first + i) % 253);
        auto client = std::make_unique<ViewerClient>(router, feedbackPort);
        if (client->ok())
            return client;
    }
    return nullptr;
}

bool ViewerClient::pollSubscriptions(int timeoutMs)
{
    zmq_pollitem_t item{publisher, 0, ZMQ_POLLIN, 0};
    if (zmq_poll(&item, 1, timeoutMs) <= 0)
        return false;
    zmq_msg_t message;
    zmq_msg_init(&message);
    while (zmq_msg_recv(&message, publisher, ZMQ_DONTWAIT) >= 0) {
        // A subscription message starts with 1, an unsubscription with 0.
        if (zmq_msg_size(&message) > 0 && static_cast<const char*>(zmq_msg_data(&message))[0] == 1)
            subscribed = true;
    }
    zmq_msg_close(&message);
    return true;
}

bool ViewerClient::waitForSubscriber(std::chrono::milliseconds timeout)
{
    if (!ok())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!subscribed) {
        const int left = remainingMs(deadline);
        if (left == 0)
            return false;
        pollSubscriptions(left);
    }
    return true;
}

bool ViewerClient::send(const std::string& bytes) { return sendParts({bytes}); }

bool ViewerClient::sendParts(const std::vector<std::string>& parts)
{
    if (!ok())
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        const int flags = i + 1 < parts.size() ? ZMQ_SNDMORE : 0;
        if (zmq_send(publisher, parts[i].data(), parts[i].size(), flags) < 0)
            return false;
    }
    return true;
}

std::optional<std::string> ViewerClient::nextReport(std::chrono::milliseconds timeout)
{
    if (udpSocket < 0)
        return std::nullopt;
    // poll takes an int, and a negative one waits for ever.
    const long long ms = std::min<long long>(std::max<long long>(timeout.count(), 0), INT_MAX);
    pollfd item{udpSocket, POLLIN, 0};
    const int ready = poll(&item, 1, int(ms));
    if (ready <= 0)
        return std::nullopt;
    std::string buffer(65536, '\0');
    const ssize_t n = recv(udpSocket, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n < 0)
        return std::nullopt;
    buffer.resize(size_t(n));
    return buffer;
}

std::vector<std::string> ViewerClient::reports(size_t count, std::chrono::milliseconds timeout)
{
    std::vector<std::string> received;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (received.size() < count) {
        auto report = nextReport(std::chrono::milliseconds(remainingMs(deadline)));
        if (!report)
            break;
        received.push_back(std::move(*report));
    }
    return received;
}

std::vector<std::string> ViewerClient::drainReports(std::chrono::milliseconds quiet)
{
    std::vector<std::string> received;
    while (auto report = nextReport(quiet))
        received.push_back(std::move(*report));
    return received;
}

#pragma once
// The client side of the viewer's protocol, shared by the zsend tool and the
// end-to-end test harness.
//
// The viewer connects a ZeroMQ subscriber to tcp://<Router>:5560 and sends
// its reports as UDP datagrams to <Router>:<RouterFeedBackPort>. A client
// therefore binds both: an XPUB socket (so that it sees the viewer's
// subscription and knows when publishing is safe) and a UDP socket.
//
//   ViewerClient client("127.0.0.1", 12346);
//   if (!client.ok()) { std::cerr << client.error() << "\n"; return 1; }
//   client.waitForSubscriber(std::chrono::seconds(30));
//   client.send("me:1 cube box size 2; print box.size");   // "address:port command"
//   while (auto report = client.nextReport(std::chrono::seconds(1)))
//       std::cout << *report;                               // "me:1 2;\n"
//
// Every wait takes a timeout; nothing blocks for ever.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ViewerClient {
public:
    static constexpr int commandPort = 5560;

    // Binds tcp://<router>:5560 (XPUB) and UDP <router>:<feedbackPort>;
    // check ok() afterwards.
    ViewerClient(const std::string& router, uint16_t feedbackPort);
    ~ViewerClient();
    ViewerClient(const ViewerClient&) = delete;
    ViewerClient& operator=(const ViewerClient&) = delete;

    // A client on the first free loopback address 127.0.0.N (N in 2..254,
    // starting at a point that depends on the process id), so that parallel
    // test processes never share an address. Null when none is free.
    static std::unique_ptr<ViewerClient> claimLoopback(uint16_t feedbackPort);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& router() const { return router_; }
    uint16_t feedbackPort() const { return feedbackPort_; }

    // Waits until a subscriber has subscribed (the viewer's intake is
    // connected). True at once when one already has.
    bool waitForSubscriber(std::chrono::milliseconds timeout);

    // Publishes one message part holding exactly these bytes (zero bytes
    // included). One part is one command message for the viewer.
    bool send(const std::string& bytes);
    // Publishes one message of several parts, each a command message.
    bool sendParts(const std::vector<std::string>& parts);

    // The next report datagram, or nothing when none arrives in time.
    std::optional<std::string> nextReport(std::chrono::milliseconds timeout);
    // Up to count datagrams; stops early when the deadline passes.
    std::vector<std::string> reports(size_t count, std::chrono::milliseconds timeout);
    // Every datagram until none has arrived for the quiet period.
    std::vector<std::string> drainReports(std::chrono::milliseconds quiet);

    // The UDP descriptor, for callers that poll it with other descriptors.
    int reportDescriptor() const { return udpSocket; }

private:
    bool pollSubscriptions(int timeoutMs);

    std::string router_;
    uint16_t feedbackPort_;
    std::string error_;
    void* context = nullptr;
    void* publisher = nullptr;
    int udpSocket = -1;
    bool subscribed = false;
};

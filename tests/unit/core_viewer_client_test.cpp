#include "ViewerClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <chrono>
#include <future>
#include <limits>
#include <memory>

namespace {

using namespace std::chrono_literals;

// Every wait of the client ends by its timeout, also for timeouts that are
// negative or too large for the system's poll (zsend's -w takes any number).
TEST(CoreViewerClient, ReportWaitsEndWithoutAReport)
{
    std::unique_ptr<ViewerClient> client = ViewerClient::claimLoopback(0);
    ASSERT_TRUE(client) << "no free loopback address";
    for (const std::chrono::milliseconds timeout :
         {-1ms, -5000ms, std::chrono::milliseconds(std::numeric_limits<long long>::min()), 0ms}) {
        auto waiting = std::async(std::launch::async, [&] { return client->nextReport(timeout); });
        if (waiting.wait_for(3s) != std::future_status::ready) {
            // Unblock the wait with a datagram of our own before failing.
            sockaddr_in address{};
            socklen_t length = sizeof address;
            getsockname(client->reportDescriptor(), reinterpret_cast<sockaddr*>(&address), &length);
            const int sender = socket(AF_INET, SOCK_DGRAM, 0);
            sendto(sender, "x", 1, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
            close(sender);
            ADD_FAILURE() << "a wait of " << timeout.count() << " ms did not end";
        }
        EXPECT_EQ(waiting.get(), std::nullopt) << timeout.count() << " ms";
    }
}

}  // namespace

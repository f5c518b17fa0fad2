#include "SocketThread.h"
#include "ThreadQueue.h"
#include "ViewerClient.h"

#include <gtest/gtest.h>

#include <OpenThreads/Block>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// An intake thread connected to a publisher on its own loopback address.
class CoreSocketThread : public testing::Test {
protected:
    void SetUp() override
    {
        publisher = ViewerClient::claimLoopback(0);
        ASSERT_TRUE(publisher) << "no free loopback address";
        queue.setBlock(&block);
        intake = std::make_unique<SocketThread>(&queue, publisher->router());
        ASSERT_TRUE(publisher->waitForSubscriber(10s));
    }

    // Follows the command thread's protocol (block, reset, drain) until
    // count messages have arrived or the deadline passes.
    std::vector<std::string> receive(size_t count)
    {
        std::vector<std::string> received;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
            block.block(100);
            block.reset();
            std::string message;
            while (queue.get(message))
                received.push_back(message);
        }
        return received;
    }

    OpenThreads::Block block;
    ThreadQueue<std::string> queue;
    std::unique_ptr<ViewerClient> publisher;
    std::unique_ptr<SocketThread> intake;
};

TEST_F(CoreSocketThread, EachPartIsOneMessageEndingAtItsFirstZeroByte)
{
    using namespace std::string_literals;
    ASSERT_TRUE(publisher->send("a:1 plain"));
    ASSERT_TRUE(publisher->send("b:1 cut\0after"s));
    ASSERT_TRUE(publisher->send(""));
    ASSERT_TRUE(publisher->send("\0hidden"s));
    ASSERT_TRUE(publisher->sendParts({"c:1 first", "", "c:1 third"}));
    ASSERT_TRUE(publisher->send(std::string(100000, 'x')));
    EXPECT_EQ(receive(8), (std::vector<std::string>{"a:1 plain", "b:1 cut", "", "", "c:1 first", "",
                                                    "c:1 third", std::string(100000, 'x')}));
}

TEST_F(CoreSocketThread, BurstArrivesWholeAndInOrder)
{
    constexpr int count = 5000;
    std::vector<std::string> sent;
    for (int i = 0; i < count; ++i) {
        sent.push_back("burst:1 " + std::to_string(i));
        ASSERT_TRUE(publisher->send(sent.back()));
    }
    EXPECT_EQ(receive(count), sent);
}

void ignoreSignal(int) {}

// A signal that interrupts the waiting receive does not end the intake.
TEST_F(CoreSocketThread, InterruptedReceiveIsRetried)
{
    struct sigaction action {};
    struct sigaction previous {};
    action.sa_handler = ignoreSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the receive returns EINTR
    ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

    ASSERT_TRUE(publisher->send("before:1 x"));
    ASSERT_EQ(receive(1), std::vector<std::string>{"before:1 x"});
    testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        if (syscall(SYS_tgkill, getpid(), pid_t(intake->getThreadId()), SIGUSR1) != 0)
            break;  // the thread has ended
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(publisher->send("after:1 y"));
    const std::vector<std::string> after = receive(1);
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_EQ(after, std::vector<std::string>{"after:1 y"});
    EXPECT_EQ(diagnostics, "");
}

TEST_F(CoreSocketThread, DestructionEndsAWaitingReceive)
{
    const auto started = std::chrono::steady_clock::now();
    intake.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

}  // namespace

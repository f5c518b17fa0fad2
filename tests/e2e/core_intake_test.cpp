#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

size_t positionOf(const std::string& text, const std::string& part) { return text.find(part); }

// Every message reaches the dispatcher, which makes a user (and writes
// "User constructor: <address>") for each new address, in arrival order.
TEST(CoreIntakeE2E, MessagesReachTheDispatcherInOrder)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());

    ASSERT_TRUE(viewer.sendRaw("cut\0hidden:1 x"s));         // text "cut": no sender head
    ASSERT_TRUE(viewer.sendRaw("zero:7 x\0ignored:1 y"s));   // text ends at the zero byte
    ASSERT_TRUE(viewer.sendParts({"part1:1 x", "", "part2:2 y"}));
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(viewer.sendRaw("burst" + std::to_string(i) + ":1 x"));
    ASSERT_TRUE(viewer.waitForStderr("User constructor: burst199\n"));

    const std::string err = viewer.stderrText();
    EXPECT_EQ(positionOf(err, "User constructor: cut"), std::string::npos);
    EXPECT_EQ(positionOf(err, "User constructor: hidden"), std::string::npos);
    EXPECT_EQ(positionOf(err, "User constructor: ignored"), std::string::npos);
    EXPECT_NE(positionOf(err, "port is '7'\nUser constructor: zero\n"), std::string::npos);
    size_t previous = positionOf(err, "User constructor: zero\n");
    for (const std::string& address : {"part1"s, "part2"s}) {
        const size_t at = positionOf(err, "User constructor: " + address + "\n");
        ASSERT_NE(at, std::string::npos) << address;
        EXPECT_GT(at, previous) << address;
        previous = at;
    }
    for (int i = 0; i < 200; ++i) {
        const size_t at = positionOf(err, "User constructor: burst" + std::to_string(i) + "\n");
        ASSERT_NE(at, std::string::npos) << i;
        EXPECT_GT(at, previous) << i;
        previous = at;
    }
}

// A new user's first report makes the shared socket and names its port once.
TEST(CoreIntakeE2E, NewUserAnnouncesReportPort)
{
    ViewerOptions options;
    options.feedbackPort = 23456;
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.send("x"));
    ASSERT_TRUE(viewer.waitForStderr("_port = 23456\n"));
}

// Replies travel as one datagram each, "address:port message;\n", with the
// port of the sender's latest message.
TEST(CoreReportsE2E, RepliesArriveAsDatagrams)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.send("print nothing1 nothing2 nothing3"));
    EXPECT_EQ(viewer.reports(3), (std::vector<std::string>{"e2e:4000 nothing1: var not found.;\n",
                                                            "e2e:4000 nothing2: var not found.;\n",
                                                            "e2e:4000 nothing3: var not found.;\n"}));
    ASSERT_TRUE(viewer.sendRaw("e2e:4001 print nothing4"));
    EXPECT_EQ(viewer.nextReport(), "e2e:4001 nothing4: var not found.;\n");
    EXPECT_EQ(viewer.drainReports(), std::vector<std::string>{});
}

}  // namespace

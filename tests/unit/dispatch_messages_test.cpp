// The command dispatcher without a window: users and their prelude texts,
// dropped messages, scheduled commands, screenshots refused or failed, and
// one parse at a time.

#include "unit/dispatch_support.h"

#include "CommandParser.h"
#include "User.h"
#include "Users.h"
#include "VarType.h"
#include "Variables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Replies = std::vector<std::string>;

std::string reply(const std::string& address, const std::string& port, const std::string& message)
{
    return address + ":" + port + " " + message + ";\n";
}

std::string nameOf(const std::string& address)
{
    User* user = Users::getInstance()->getUser(address);
    return user != nullptr ? user->getName() : "";
}

class DispatchUsers : public testing::Test {
protected:
    DispatchHarness& d = DispatchHarness::get();
};

TEST_F(DispatchUsers, NewSenderHasAPlayingSchedulerBeforeItsOwnCommandRuns)
{
    const std::string address = d.newAddress();
    EXPECT_EQ(d.send(address, "5000", " print Main.play Main.name"),
              (Replies{reply(address, "5000", "1"), reply(address, "5000", "scheduler")}));
    const std::string name = nameOf(address);
    EXPECT_EQ(name.rfind("user", 0), 0u);
    EXPECT_EQ(d.stringValue(name + ":Main.name"), "scheduler");
    EXPECT_EQ(d.numberValue(name + ":Main.play"), 1.0);
}

TEST_F(DispatchUsers, EachUserGetsTheNextGeneratedName)
{
    const std::string first = d.newAddress();
    const std::string second = d.newAddress();
    d.send(first, "1", " x=1");
    d.send(second, "1", " x=1");
    const std::string a = nameOf(first);
    const std::string b = nameOf(second);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(std::stoul(b.substr(4)), std::stoul(a.substr(4)) + 1);
}

TEST_F(DispatchUsers, KnownSenderTakesThePortOfEachMessage)
{
    const std::string address = d.newAddress();
    d.send(address, "5000", " x=4");
    EXPECT_EQ(d.send(address, "6001", " print x"), Replies{reply(address, "6001", "4")});
    EXPECT_EQ(d.send(address, "5000", " print x"), Replies{reply(address, "5000", "4")});
}

TEST_F(DispatchUsers, AnAddressThatIsAGeneratedNameReachesThatUser)
{
    const std::string address = d.newAddress();
    d.send(address, "5000", " x=7");
    const std::string name = nameOf(address);
    EXPECT_EQ(d.send(name, "7000", " print x"), Replies{reply(address, "7000", "7")});
    EXPECT_EQ(Users::getInstance()->getUser(name), Users::getInstance()->getUser(address));
}

TEST_F(DispatchUsers, NamesAreTakenInTheSendersNamespace)
{
    const std::string a = d.newAddress();
    const std::string b = d.newAddress();
    d.send(a, "1", " x=1");
    d.send(b, "2", " x=2");
    const std::string aName = nameOf(a);
    EXPECT_EQ(d.send(b, "2", " print x " + aName + ":x"), (Replies{reply(b, "2", "2"), reply(b, "2", "1")}));
    d.send(b, "2", " " + aName + ":y=5");
    EXPECT_EQ(d.send(a, "1", " print y"), Replies{reply(a, "1", "5")});
    // An object name is always the sender's own.
    d.send(a, "1", " sched box");
    EXPECT_EQ(d.send(b, "2", " box x=2"), Replies{reply(b, "2", "box: object not found.")});
}

TEST_F(DispatchUsers, LineFeedsAreRemovedBeforeFraming)
{
    const std::string address = d.newAddress();
    EXPECT_EQ(d.sendRaw(address + ":\n12 x\n=3;\nprint\n x"), Replies{reply(address, "12", "3")});
}

TEST(DispatchDropped, MalformedMessagesAreDroppedAndTheNextIsHandled)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string valid = d.newAddress();
    const std::string noBlank = d.newAddress();
    const std::string colonAfterBlank = d.newAddress();
    const std::string messages[] = {"", "\n", noBlank + ":5000", noBlank + ":5000\n", colonAfterBlank + " :5000 x=1",
                                    "nocolon x=1", valid + ":1\tx=1"};
    for (const std::string& message : messages) {
        testing::internal::CaptureStderr();
        const Replies replies = d.sendRaw(message);
        const std::string diagnostics = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(replies.empty()) << message;
        EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;
        EXPECT_EQ(diagnostics.rfind("Command message dropped", 0), 0u) << diagnostics;
        EXPECT_EQ(d.send(valid, "9", " print 1x"), Replies{reply(valid, "9", "1x: var not found.")});
    }
    EXPECT_EQ(Users::getInstance()->getUser(noBlank), nullptr);
    EXPECT_EQ(Users::getInstance()->getUser(colonAfterBlank), nullptr);
    EXPECT_EQ(Users::getInstance()->getUser("nocolon x=1"), nullptr);
}

TEST(DispatchEvents, UnknownOwnerDoesNothing)
{
    DispatchHarness& d = DispatchHarness::get();
    d.drain();
    CommandParser::getInstance()->parseEvent("nobody-at-all", " x=1; print x");
    EXPECT_TRUE(d.drain().empty());
    EXPECT_EQ(Users::getInstance()->getUser("nobody-at-all"), nullptr);
    EXPECT_FALSE(d.exists("nobody-at-all:x"));
}

TEST(DispatchEvents, ScheduledCommandRunsAsAMessageOfItsOwner)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string address = d.newAddress();
    d.send(address, "5000", " x=1; sched box");
    const std::string name = nameOf(address);
    d.drain();
    CommandParser::getInstance()->parseEvent(name, " print x; sched ball; sphere box");
    EXPECT_EQ(d.drain(),
              (Replies{reply(address, "5000", "1"), reply(address, "5000", "box: already exists as scheduler")}));
    EXPECT_EQ(d.stringValue(name + ":ball.name"), "scheduler");
}

// A sender may use another user's generated name as its address; the
// scheduled commands of the user with that name still run as that user.
TEST(DispatchEvents, ScheduledCommandFindsItsOwnerByGeneratedName)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string first = d.newAddress();
    d.send(first, "1", " x=1");
    const unsigned long serial = std::stoul(nameOf(first).substr(4));
    // Takes the next name; its address is the name of the user after it.
    const std::string squatter = "user" + std::to_string(serial + 2);
    d.send(squatter, "2", " x=2");
    const std::string ownerAddress = d.newAddress();
    d.send(ownerAddress, "3", " x=3");
    ASSERT_EQ(nameOf(ownerAddress), squatter);

    d.drain();
    CommandParser::getInstance()->parseEvent(squatter, " print x; y=4");
    EXPECT_EQ(d.drain(), Replies{reply(ownerAddress, "3", "3")});
    EXPECT_EQ(d.numberValue(squatter + ":y"), 4);
    EXPECT_FALSE(d.exists(nameOf(squatter) + ":y"));
}

TEST(DispatchScreenshots, RefusedOrFailedScreenshotsReportWhy)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string address = d.newAddress();
    const struct {
        const char* command;
        const char* reply;
    } cases[] = {
        {" screenshot \"\"", "screenshot failed: empty file name"},
        {" screenshot \"/tmp/dispatch-shot\"", "screenshot failed: absolute path not allowed"},
        {" screenshot '../dispatch-shot'", "screenshot failed: '..' not allowed in file name"},
        {" screenshot \"a\rb\"", "screenshot failed: control character in file name"},
        // No window in the unit tests: nothing to write.
        {" screenshot \"dispatch-shot\"", "screenshot failed: no screen image"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(d.send(address, "5", c.command), Replies{reply(address, "5", c.reply)}) << c.command;
    EXPECT_EQ(std::fopen("dispatch-shot.png", "rb"), nullptr);
}

// Found by fuzzing: every animation of a value that an earlier animation
// still drives used to start from that animation's text, which stands twice
// in the new one, so the text doubled with each "over" until the viewer ran
// out of time and memory.
TEST(DispatchRobustness, RepeatedAnimationsOfOneValueStayBounded)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string address = d.newAddress();
    d.send(address, "1", " x=1; Main.time=10");
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(d.send(address, "1", " over 2 x=5"), Replies{});
    Type* x = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(nameOf(address) + ":x", x));
    EXPECT_LT(x->asVarType()->getString().size(), 200u) << x->asVarType()->getString();
    EXPECT_EQ(x->asVarType()->getValue(), 1);
    d.send(address, "1", " Main.time=11");
    EXPECT_EQ(d.numberValue(nameOf(address) + ":x"), 3);
}

// The command thread drains its queue while this thread and a third one
// (standing in for a scheduler in the main thread) parse too. Every reply
// must belong to its own message; ThreadSanitizer checks the rest.
TEST(DispatchParseLock, CommandThreadAndOtherThreadsParseOneAtATime)
{
    DispatchHarness& d = DispatchHarness::get();
    const std::string queued = d.newAddress();
    const std::string direct = d.newAddress();
    const std::string scheduled = d.newAddress();
    d.send(scheduled, "3", " x=0");
    const std::string owner = nameOf(scheduled);
    d.drain();

    const int count = 60;
    std::thread scheduler([&] {
        for (int i = 0; i < count; ++i)
            CommandParser::getInstance()->parseEvent(owner, " v=" + std::to_string(i) + "; print v");
    });
    for (int i = 0; i < count; ++i) {
        d.queue(queued + ":1 v=" + std::to_string(i) + "; print v");
        CommandParser::getInstance()->parseCommand(direct + ":2 v=" + std::to_string(i) + "; print v");
    }
    scheduler.join();

    std::map<std::string, std::vector<std::string>> byAddress;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int received = 0;
    while (received < 3 * count && std::chrono::steady_clock::now() < deadline) {
        const std::string datagram = d.next(1000);
        if (datagram.empty())
            continue;
        ++received;
        byAddress[datagram.substr(0, datagram.find(' '))].push_back(datagram);
    }
    ASSERT_EQ(received, 3 * count);
    const std::pair<std::string, std::string> senders[] = {
        {queued, "1"}, {direct, "2"}, {scheduled, "3"}};
    for (const auto& sender : senders) {
        const std::vector<std::string>& got = byAddress[sender.first + ":" + sender.second];
        ASSERT_EQ(got.size(), static_cast<std::size_t>(count)) << sender.first;
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(got[i], reply(sender.first, sender.second, std::to_string(i)));
    }
}

}  // namespace

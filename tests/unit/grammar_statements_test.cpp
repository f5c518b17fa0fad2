// Statements of the command language carried out through the real
// dispatcher without a window: what they store, what they schedule, which
// replies reach the sender, and when they flush the redraw set.

#include "BasicShape.h"
#include "CommandParser.h"
#include "Config.h"
#include "Definitions.h"
#include "ParseDriver.h"
#include "ParseLock.h"
#include "ScheduleType.h"
#include "ShapeDefinitions.h"
#include "StringType.h"
#include "User.h"
#include "Users.h"
#include "VarType.h"
#include "Variables.h"
#include "support/CountingShape.h"
#include "support/LoopbackUdp.h"
#include "support/ShapeDefs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <list>
#include <string>
#include <vector>

namespace {

// A UDP socket on 127.0.0.1 standing in for the router host. Reports are
// sent before parseCommand returns, so they are waiting when it does.
class Replies {
public:
    // Every waiting datagram with the given head, without head and tail.
    std::vector<std::string> take(const std::string& head)
    {
        std::vector<std::string> out;
        for (std::string& datagram : socket.drain()) {
            if (datagram.compare(0, head.size(), head) != 0)
                continue;
            datagram.erase(0, head.size());
            if (datagram.size() >= 2 && datagram.compare(datagram.size() - 2, 2, ";\n") == 0)
                datagram.resize(datagram.size() - 2);
            out.push_back(datagram);
        }
        return out;
    }

    LoopbackUdp socket{1 << 22};
};

Replies& replies()
{
    static Replies receiver;
    return receiver;
}

class GrammarStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Objects here are schedulers: the one type that every user needs.
        ensureShapeDefs();
    }

    void SetUp() override
    {
        Config::getInstance()->add("Router", "127.0.0.1");
        Config::getInstance()->add("RouterFeedBackPort", replies().socket.portText());
        Config::getInstance()->add("BufferSize", "1400");
        replies().take("");
    }

    // A sender that no earlier test used.
    static std::string newAddress()
    {
        static int serial = 0;
        return "grammar" + std::to_string(serial++);
    }

    // Handles one command message (the text starts at the blank after the
    // port) and gives the replies it brought.
    static std::vector<std::string> send(const std::string& address, const std::string& text,
                                         const std::string& port = "7000")
    {
        CommandParser::getInstance()->parseCommand(address + ":" + port + text);
        return replies().take(address + ":" + port + " ");
    }

    static std::string userName(const std::string& address)
    {
        User* user = Users::getInstance()->getUser(address);
        return user ? user->getName() : "<no user>";
    }

    // What the store holds under a full name: a number's text, a string, a
    // schedule as "time|command" entries joined by ';', or "<absent>".
    static std::string stored(const std::string& fullName)
    {
        Type* value = nullptr;
        if (!Variables::getInstance()->get(fullName, value) || value == nullptr) return "<absent>";
        if (VarType* number = value->asVarType()) return number->getString();
        if (StringType* text = value->asStringType()) return "'" + text->getString() + "'";
        std::string out;
        if (ScheduleType* schedule = value->asScheduleType()) {
            std::list<Event> events;
            schedule->getEvents(events);
            for (const Event& event : events) {
                if (!out.empty()) out += ";";
                char time[32];
                std::snprintf(time, sizeof time, "%g", event.time);
                out += std::string(time) + "|" + event.command;
            }
        }
        return "[" + out + "]";
    }

    static double numberValue(const std::string& fullName)
    {
        Type* value = nullptr;
        if (!Variables::getInstance()->get(fullName, value) || value == nullptr || !value->asVarType()) return -999;
        return value->asVarType()->getValue();
    }
};

// One statement table row: earlier messages of the same sender, the message,
// the replies it must bring and what must be stored afterwards. "{u}" in a
// name stands for the sender's generated name.
struct StatementCase {
    const char* name;
    std::vector<std::string> before;
    std::string text;
    std::vector<std::string> replies;
    std::vector<std::pair<std::string, std::string>> stored;
};

std::string withUser(std::string text, const std::string& user)
{
    for (std::string::size_type at; (at = text.find("{u}")) != std::string::npos;) text.replace(at, 3, user);
    return text;
}

TEST_F(GrammarStatements, EffectsAndReplies)
{
    const std::string longCommand(2000, 'c');
    const std::vector<StatementCase> cases = {
        // Variables and printing.
        {"a number", {}, " x=5", {}, {{"x", "5"}}},
        {"a negative number", {}, " x=-2", {}, {{"x", "-2"}}},
        {"an expression", {}, " x=`1+2`; print x", {"3 (1+2)"}, {{"x", "1+2"}}},
        {"a quoted string keeps blanks and ';'", {}, " s='a b; c'", {}, {{"s", "'a b; c'"}}},
        {"a double-quoted string", {}, " s=\"it's\"", {}, {{"s", "'it's'"}}},
        {"print of a number as written", {" x=5"}, " print x", {"5"}, {}},
        {"print shows a differing text", {" x=2.50"}, " print x", {"2.5 (2.50)"}, {}},
        {"print of a large number", {" x=1234567"}, " print x", {"1.23457e+06 (1234567)"}, {}},
        {"print of several names in order", {" a=1; b=2"}, " print a nothing b ",
         {"1", "nothing: var not found.", "2"}, {}},
        {"print of a string", {" s='hello world'"}, " print s", {"hello world"}, {}},
        {"print of a schedule", {" at 5 cone a;", " at 3 'cone b'"}, " print Main.add", {"3 cone b, 5 cone a"}, {}},
        {"a name holding add is a schedule entry", {}, " ladder=3", {}, {{"ladder", "[0|3]"}}},
        {"statements separated by ';' and blanks", {}, "  x=1 ; y=2;\tz=3", {},
         {{"x", "1"}, {"y", "2"}, {"z", "3"}}},

        // Syntax errors end the message; what ran before stays.
        {"a variable statement holds one assignment", {}, " x=5 y=6", {"syntax error"},
         {{"x", "5"}, {"y", "<absent>"}}},
        {"blanks around '='", {}, " x = 1", {"syntax error"}, {{"x", "<absent>"}}},
        {"a name alone", {}, " x", {"syntax error"}, {}},
        {"a type keyword alone", {}, " sched", {"syntax error"}, {}},
        {"a keyword is never a name", {}, " time=1", {"syntax error"}, {}},
        {"print without names", {}, " print", {"syntax error"}, {}},
        {"a dotted word", {}, " x=1.2.3", {"syntax error"}, {{"x", "<absent>"}}},
        {"the rest of the message is not read", {}, " x=1; y; z=2", {"syntax error"},
         {{"x", "1"}, {"z", "<absent>"}}},
        {"login and delete parse and do nothing", {}, " delete all; delete x; login bob x", {}, {}},
        {"login with a number", {}, " login bob 5555", {"syntax error"}, {}},
        {"unclosed double quote", {}, " x=\"abc; y=1", {"syntax error: Unclosed quotation mark."},
         {{"x", "<absent>"}, {"y", "<absent>"}}},
        {"unclosed single quote", {}, " x='abc", {"syntax error: Unclosed single quotation mark."}, {}},
        {"unclosed back-quote", {}, " x=`1+2", {"syntax error: Unclosed backquote (grave accent)."}, {}},

        // Objects.
        {"an object with an assignment", {}, " sched box name='a b'", {},
         {{"box.name", "'a b'"}, {"box.play", "0.0"}}},
        {"an object with several assignments", {" sched box"}, " box foo=1 name='x' bar=-2 ",
         {"foo: parameter not found for object type scheduler", "bar: parameter not found for object type x"},
         {{"box.name", "'x'"}}},
        {"a plain number goes to a parameter as written", {" sched box"}, " box.play=2.50", {},
         {{"box.play", "2.50"}}},
        {"a negative number to a parameter", {" sched box"}, " box.time=-1", {}, {{"box.time", "-1"}}},
        {"a parameter of a missing object", {}, " box.time=1", {"box.time: var not found."}, {}},
        {"a type keyword without object", {}, " sched name='x'", {"Syntax error: no object specified"}, {}},
        {"an object name before '#' is created first", {}, " sched box#", {"syntax error"},
         {{"box.name", "'scheduler'"}}},
        {"a trailing blank after the object name", {}, " sched box ", {"syntax error"},
         {{"box.name", "'scheduler'"}}},
        {"an unknown parameter", {" sched box"}, " box foo=1", {"foo: parameter not found for object type scheduler"},
         {}},
        {"a type word without definitions creates nothing", {}, " oval egg size=1", {"egg: object not found."},
         {{"egg.name", "<absent>"}}},

        // Timed commands.
        {"at with a command", {}, " at 5 cone a", {}, {{"Main.add", "[5| cone a]"}}},
        {"at takes the rest up to ';'", {}, " at 5 cone a; print x", {"syntax error"},
         {{"Main.add", "[5| cone a]"}}},
        {"at with two ';' goes on", {" x=1"}, " at 5 cone a;; print x", {"1"}, {{"Main.add", "[5| cone a]"}}},
        {"at with a quoted command goes on", {" x=1"}, " at 5 'cone a; x=2'; print x", {"1"},
         {{"Main.add", "[5| cone a; x=2]"}}},
        {"at with nothing after the number", {}, " at 5", {"Empty command"}, {{"Main.add", "[]"}}},
        {"at with a trailing blank schedules an empty command", {}, " at 5 ", {}, {{"Main.add", "[5| ]"}}},
        {"at a negative time", {}, " at -5 cone a; x=1", {"Cannot schedule at negative time"},
         {{"Main.add", "[]"}, {"x", "<absent>"}}},
        {"at with an unclosed quote", {}, " at 5 'cone a", {"syntax error: Unclosed single quotation mark."},
         {{"Main.add", "[]"}}},
        {"at with an unclosed double quote", {}, " at 5 \"cone a", {"syntax error: Unclosed quotation mark."},
         {{"Main.add", "[]"}}},
        {"a timed command past the limit runs nothing",
         {},
         " at 5 x=1 " + longCommand,
         {"syntax error: Timed command longer than 1399 characters; put it in quotes or shorten it."},
         {{"Main.add", "[]"}, {"x", "<absent>"}}},
        {"in adds the clock", {" Main.time=10"}, " in 2 cone a", {}, {{"Main.add", "[12| cone a]"}}},
        {"in prints the time with six digits", {" Main.time=1234.5678"}, " in 2 cone a", {},
         {{"Main.add", "[1236.57| cone a]"}}},
        {"in with nothing after the number", {}, " in 5", {"Empty command"}, {{"Main.add", "[]"}}},
        {"in a negative time", {" Main.time=10"}, " in -2 cone a", {"Cannot schedule at negative time"},
         {{"Main.add", "[]"}}},
        {"in with an unclosed quote", {}, " in 2 \"x=1", {"syntax error: Unclosed quotation mark."},
         {{"Main.add", "[]"}}},

        // Animations.
        {"over animates from the current text",
         {" x=1", " Main.time=10"},
         " over 2 x=5",
         {},
         {{"x", "((1)+((({u}:Main.time - (10) )/(2))*((5)-(1))))"}, {"Main.add", "[12| x=5]"}}},
        {"over a parameter",
         {" sched box", " box.time=1", " Main.time=10"},
         " over 2 box.time=-5",
         {},
         {{"box.time", "((1)+((({u}:Main.time - (10) )/(2))*((-5)-(1))))"}, {"Main.add", "[12| box.time=-5]"}}},
        {"over a string parameter",
         {" Main.time=10"},
         " over 2 sched box name='x'",
         {"animation type can only be applied to number or expressions\n"},
         {{"box.name", "'scheduler'"}, {"Main.add", "[]"}}},
        {"over to an expression",
         {" x=1", " y=4", " Main.time=10"},
         " over 2 x=`y+1`",
         {},
         {{"x", "((1)+((({u}:Main.time - (10) )/(2))*(({u}:y+1)-(1))))"}, {"Main.add", "[12| x=`y+1`]"}}},
        {"over a back-quoted duration",
         {" x=1", " Main.time=10"},
         " over `1+1` x=5",
         {},
         {{"x", "((1)+((({u}:Main.time - (10) )/(1+1))*((5)-(1))))"}, {"Main.add", "[12| x=5]"}}},
        {"over zero assigns at once", {" x=1", " Main.time=10"}, " over 0 x=5", {}, {{"x", "5"}, {"Main.add", "[]"}}},
        {"over a duration evaluating to zero assigns at once",
         {" x=1", " Main.time=10"},
         " over `2-2` x=5",
         {},
         {{"x", "5"}, {"Main.add", "[]"}}},
        {"over a duration that does not evaluate",
         {" x=1", " Main.time=10"},
         " over `nothing*2` x=5; y=1",
         {"Var does not exist: {u}:nothing"},
         {{"x", "1"}, {"y", "1"}, {"Main.add", "[]"}}},
        {"over a negative number", {" x=1"}, " over -2 x=5", {"Cannot animate at negative time"}, {{"x", "1"}}},
        {"over a missing name", {}, " over 2 nothing=5", {"nothing does not exits: var not found."},
         {{"Main.add", "[]"}}},
        {"over a string value",
         {" x=1"},
         " over 2 x='5'",
         {"animation type can only be applied to number or expressions\n"},
         {{"x", "1"}}},
        {"over a name holding a string",
         {" s='a'"},
         " over 2 s=5",
         {"animation type can only be applied to number or expressions\n"},
         {{"s", "'a'"}, {"Main.add", "[]"}}},
        {"over a schedule entry",
         {},
         " over 2 ladder=5",
         {"animation type can only be applied to number or expressions\n"},
         {{"ladder", "<absent>"}}},
        {"over from infinity assigns at once",
         {" x=`1/0`", " Main.time=10"},
         " over 2 x=5",
         {},
         {{"x", "5"}, {"Main.add", "[]"}}},
        {"over from NaN assigns at once",
         {" x=`0/0`", " Main.time=10"},
         " over 2 x=5",
         {},
         {{"x", "5"}, {"Main.add", "[]"}}},
        {"over on a clock that is not finite assigns at once",
         {" x=1", " Main.time=`1/0`"},
         " over 2 x=5",
         {},
         {{"x", "5"}, {"Main.add", "[]"}}},
        {"over with a type keyword but no object schedules nothing",
         {" size=1", " Main.time=10"},
         " over 2 sched size=5",
         {"Syntax error: no object specified"},
         {{"size", "1"}, {"Main.add", "[]"}}},
    };

    for (const StatementCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string address = newAddress();
        for (const std::string& text : c.before) {
            EXPECT_EQ(send(address, text), std::vector<std::string>()) << text;
        }
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        const std::vector<std::string> got = send(address, c.text);
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        const std::string user = userName(address);
        std::vector<std::string> expectedReplies;
        for (const std::string& reply : c.replies) expectedReplies.push_back(withUser(reply, user));
        EXPECT_EQ(got, expectedReplies);
        for (const auto& expected : c.stored) {
            EXPECT_EQ(stored(user + ":" + expected.first), withUser(expected.second, user)) << expected.first;
        }
    }
}

TEST_F(GrammarStatements, AnimatedValueFollowsTheClock)
{
    const std::string address = newAddress();
    send(address, " x=1; Main.time=10");
    send(address, " over 2 x=5");
    const std::string x = userName(address) + ":x";
    EXPECT_DOUBLE_EQ(numberValue(x), 1);
    send(address, " Main.time=11");
    EXPECT_DOUBLE_EQ(numberValue(x), 3);
    send(address, " Main.time=12");
    EXPECT_DOUBLE_EQ(numberValue(x), 5);
}

TEST_F(GrammarStatements, AnimationOfAnotherUsersValueUsesTheSendersClock)
{
    const std::string owner = newAddress();
    const std::string sender = newAddress();
    send(owner, " x=1; Main.time=500");
    send(sender, " Main.time=10");
    const std::string ownerName = userName(owner);
    const std::string senderName = userName(sender);
    EXPECT_EQ(send(sender, " over 2 " + ownerName + ":x=5"), std::vector<std::string>());
    EXPECT_EQ(stored(ownerName + ":x"), "((1)+(((" + senderName + ":Main.time - (10) )/(2))*((5)-(1))))");
    EXPECT_EQ(stored(senderName + ":Main.add"), "[12| " + ownerName + ":x=5]");
    EXPECT_DOUBLE_EQ(numberValue(ownerName + ":x"), 1);
    send(sender, " Main.time=11");
    EXPECT_DOUBLE_EQ(numberValue(ownerName + ":x"), 3);
}

TEST_F(GrammarStatements, RefusedAnimationSchedulesNothing)
{
    // A type word that differs from the object's type: the dispatcher
    // refuses the animated value, so its end must not be scheduled either.
    const std::string address = newAddress();
    send(address, " sched box; Main.time=10");
    const std::string user = userName(address);
    Variables::getInstance()->add(nullptr, user + ":box.size", "1", PARAM_NUMBER);
    testing::internal::CaptureStderr();
    EXPECT_EQ(send(address, " over 2 cube box size=5"), std::vector<std::string>{"box: already exists as scheduler"});
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(stored(user + ":box.size"), "1");
    EXPECT_EQ(stored(user + ":Main.add"), "[]");
}

TEST_F(GrammarStatements, TimingWithoutTheUsersClock)
{
    // A user that never went through the dispatcher has no scheduler Main.
    const std::string address = newAddress();
    User user(address, "7000");
    const std::string missing = "Main.time (Scheduler): does not exits: var not found.";
    const struct {
        const char* text;
        std::vector<std::string> replies;
    } cases[] = {
        {" in 2 x=1;; y=1", {missing}},
        {" x=1; over 2 x=5; y=1", {missing}},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        {
            ParseGuard parse(ParseLock::get());
            init_parser(c.text, CommandParser::getInstance(), &user);
            yyparse();
            user.reportErrors();
        }
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(replies().take(address + ":7000 "), c.replies) << c.text;
        EXPECT_EQ(stored(user.getName() + ":y"), "<absent>") << c.text;
    }
}

TEST_F(GrammarStatements, DurationExpressionIsTraced)
{
    const std::string address = newAddress();
    send(address, " x=1");
    testing::internal::CaptureStderr();
    send(address, " over `1+1` x=5");
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_NE(("\n" + trace).find("\nin expr 1+1\n"), std::string::npos) << trace;
}

TEST_F(GrammarStatements, NamespacesOfUsers)
{
    const std::string first = newAddress();
    const std::string second = newAddress();
    send(first, " x=1");
    send(second, " x=2");
    const std::string firstName = userName(first);
    EXPECT_EQ(send(second, " " + firstName + ":x=7; print x " + firstName + ":x"),
              (std::vector<std::string>{"2", "7"}));
    EXPECT_EQ(stored(firstName + ":x"), "7");
    // A known sender's new port heads its replies.
    EXPECT_EQ(send(first, " print x", "7001"), (std::vector<std::string>{"7"}));
    EXPECT_EQ(userName(first), firstName);
    // An object name is always taken in the sender's namespace.
    send(first, " sched box");
    EXPECT_EQ(send(second, " box size=2"), std::vector<std::string>{"box: object not found."});
}

TEST_F(GrammarStatements, EmptyTimedCommandWritesToStandardOutput)
{
    const std::string address = newAddress();
    send(address, " x=1");
    testing::internal::CaptureStdout();
    send(address, " at 5");
    send(address, " in 5");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "empty out\n");
}

TEST_F(GrammarStatements, ScreenshotRepliesOnlyAfterWriting)
{
    // No image is attached here, so nothing can be written and the sender
    // hears why instead of "took screenshot".
    const std::string address = newAddress();
    send(address, " x=1");
    const std::vector<std::string> got = send(address, " screenshot 'shot'; print x");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NE(got[0], "took screenshot");
    EXPECT_EQ(got[1], "1");
}

TEST_F(GrammarStatements, BlockLimitFollowsTheSettingFromTheNextMessage)
{
    const std::string address = newAddress();
    send(address, " x=1");
    Config::getInstance()->add("BufferSize", "6");
    EXPECT_EQ(send(address, " s='12345'"), std::vector<std::string>());
    EXPECT_EQ(send(address, " s='123456'"), std::vector<std::string>{"syntax error: Unclosed single quotation mark."});
    Config::getInstance()->add("BufferSize", "0");
    EXPECT_EQ(send(address, " at 5 x=1"),
              std::vector<std::string>{
                  "syntax error: Timed command longer than 0 characters; put it in quotes or shorten it."});
    Config::getInstance()->add("BufferSize", "1400");
    EXPECT_EQ(send(address, " s='123456'"), std::vector<std::string>());
    EXPECT_EQ(stored(userName(address) + ":s"), "'123456'");
}

TEST_F(GrammarStatements, StackLimitReportsMemoryExhausted)
{
    const std::string address = newAddress();
    std::string text = " ";
    for (int i = 0; i < 6000; ++i) text += "x=" + std::to_string(i) + ";";
    testing::internal::CaptureStderr();
    const std::vector<std::string> got = send(address, text);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(got, std::vector<std::string>{"memory exhausted"});
    // The statements before the limit were carried out.
    const double reached = numberValue(userName(address) + ":x");
    EXPECT_GT(reached, 4000);
    EXPECT_LT(reached, 5999);
}

TEST_F(GrammarStatements, UntimedChangingStatementsFlush)
{
    const std::string address = newAddress();
    send(address, " sched box");
    // Bound values keep pointing at their shapes: it lives as long as they do.
    CountingShape& box = *new CountingShape(userName(address), "box", "scheduler");
    struct FlushCase {
        const char* text;
        int flushes;  // how many times box is marked dirty
    };
    const FlushCase cases[] = {
        {" box.play=2", 1},
        {" sched box name='scheduler'", 1},
        {" box.play=5; box.time=6", 2},
        {" var box.play=3", 1},
        // Timed statements store without flushing; the next changing
        // statement flushes what they left, even one that stores nothing.
        {" over 2 box.time=5", 0},
        {" print box.time", 0},
        {" sched box", 1},
        {" at 1 box.play=1", 0},
        {" box foo=1", 0},  // a parameter the type lacks stores nothing
        {" in 1 box.play=1", 0},
    };
    for (const FlushCase& c : cases) {
        const int before = box.marks;
        testing::internal::CaptureStderr();
        send(address, c.text);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(box.marks - before, c.flushes) << c.text;
    }
}

}  // namespace

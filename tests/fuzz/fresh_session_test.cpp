// Every message that the fuzz target runs starts from the same state, so
// a saved input does alone what it did after any other input.

#include "FreshSession.h"
#include "support/LoopbackUdp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Replies = std::vector<std::string>;

class FreshSessionTest : public testing::Test {
protected:
    static LoopbackUdp& replies()
    {
        static LoopbackUdp socket(4 << 20);
        return socket;
    }
    static FreshSession& session()
    {
        static FreshSession* made = new FreshSession(replies().portText());
        return *made;
    }

    Replies run(const std::string& message)
    {
        replies().drain();
        session().run(message);
        Replies received;
        // Replies are sent before run returns; a short wait covers delivery.
        while (auto datagram = replies().next(received.empty() ? 200 : 20))
            received.push_back(*datagram);
        return received;
    }
};

struct AfterCase {
    const char* label;
    const char* earlier;
    const char* message;
};

void PrintTo(const AfterCase& c, std::ostream* os) { *os << c.label; }

class FreshSessionAfter : public FreshSessionTest, public testing::WithParamInterface<AfterCase> {};

TEST_P(FreshSessionAfter, RepliesAsWhenRunAlone)
{
    const AfterCase& c = GetParam();
    const Replies alone = run(c.message);
    run(c.earlier);
    EXPECT_EQ(run(c.message), alone);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FreshSessionAfter,
    testing::Values(
        // A value, an object or a schedule left by the earlier message is gone.
        AfterCase{"value", "1.1.1.1:1 x=5", "1.1.1.1:1 print x; x=x+1; print x"},
        AfterCase{"object", "1.1.1.1:1 cube box size=2", "1.1.1.1:1 sphere box; print box.size"},
        AfterCase{"schedule", "1.1.1.1:1 at 0.2 'x=9'", "1.1.1.1:1 print x; print Main.time"},
        // A sender is user0 again however many came before.
        AfterCase{"user_names", "2.2.2.2:1 x=1", "3.3.3.3:1 print user0:x user1:x"},
        AfterCase{"other_user", "1.1.1.1:1 x=3", "2.2.2.2:1 print user0:x; y=`user0:x*2`; print y"}),
    [](const testing::TestParamInfo<AfterCase>& info) { return std::string(info.param.label); });

TEST_F(FreshSessionTest, SchedulerFiresWhatFellDueInTheSecondFrame)
{
    // The second traversal comes half a second later: an event at 0.25 fires,
    // one at 0.75 does not.
    EXPECT_EQ(run("1.1.1.1:1 x=1; y=2; at 0.25 'print x'; at 0.75 'print y'"), Replies{"1.1.1.1:1 1;\n"});
}

}  // namespace

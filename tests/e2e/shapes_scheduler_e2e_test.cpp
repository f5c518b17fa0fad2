// A new user's scheduler "Main" through the real viewer: its clock plays
// from the first message on, and timed commands fire from it.

#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

class ShapesSchedulerE2E : public testing::Test {
protected:
    // Commands are handled from the start, but the clock only moves once the
    // frame loop runs: each test starts from a clock that has moved.
    void SetUp() override
    {
        ASSERT_TRUE(viewer.start());
        ASSERT_TRUE(clockReaches(0.01));
    }

    // The number that a print reply "<sender> <number>;\n" carries.
    std::optional<double> replyNumber(const std::optional<std::string>& report)
    {
        const std::string head = viewer.sender() + " ";
        if (!report || report->compare(0, head.size(), head) != 0 || report->size() < head.size() + 2 ||
            report->compare(report->size() - 2, 2, ";\n") != 0)
            return std::nullopt;
        try {
            return std::stod(report->substr(head.size(), report->size() - head.size() - 2));
        } catch (...) {
            return std::nullopt;
        }
    }

    std::optional<double> printTime()
    {
        if (!viewer.send("print Main.time"))
            return std::nullopt;
        return replyNumber(viewer.nextReport());
    }

    // Waits until the clock shows at least the given time.
    bool clockReaches(double seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::optional<double> now = printTime();
            if (now && *now >= seconds)
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    ViewerProcess viewer;
};

TEST_F(ShapesSchedulerE2E, NewUsersMainPlays)
{
    std::optional<double> first = printTime();
    const auto firstAt = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(500ms);
    std::optional<double> second = printTime();
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - firstAt).count();
    ASSERT_TRUE(first && second);
    EXPECT_NEAR(*second - *first, waited, 0.15);
}

TEST_F(ShapesSchedulerE2E, InFiresOnceAboutThatMuchLater)
{
    ASSERT_TRUE(clockReaches(0.2));
    ASSERT_TRUE(viewer.send("print Main.time; in 0.5 print Main.time"));
    std::optional<double> scheduledAt = replyNumber(viewer.nextReport());
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(scheduledAt);

    std::optional<double> firedAt = replyNumber(viewer.nextReport(3000ms));
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    ASSERT_TRUE(firedAt);
    EXPECT_NEAR(*firedAt - *scheduledAt, 0.5, 0.1);
    EXPECT_NEAR(waited, 0.5, 0.3);

    EXPECT_TRUE(viewer.drainReports(1500ms).empty());  // fired events stay, but fire once
    EXPECT_EQ(viewer.stderrCount("Adding command:  print Main.time\n"), 1u);
}

TEST_F(ShapesSchedulerE2E, AtInThePastNeverFires)
{
    ASSERT_TRUE(clockReaches(0.5));
    ASSERT_TRUE(viewer.send("at 0.1 print Main.time"));
    EXPECT_TRUE(viewer.drainReports(1500ms).empty());
    EXPECT_EQ(viewer.stderrCount("Adding command:"), 0u);
}

TEST_F(ShapesSchedulerE2E, PlayZeroStopsTheClockAndOneResumesIt)
{
    ASSERT_TRUE(clockReaches(0.2));
    ASSERT_TRUE(viewer.send("Main.play=0"));
    std::this_thread::sleep_for(200ms);
    std::optional<double> stopped = printTime();
    std::this_thread::sleep_for(500ms);
    std::optional<double> later = printTime();
    ASSERT_TRUE(stopped && later);
    EXPECT_EQ(*later, *stopped);

    ASSERT_TRUE(viewer.send("Main.play=1"));
    std::this_thread::sleep_for(500ms);
    std::optional<double> resumed = printTime();
    ASSERT_TRUE(resumed);
    EXPECT_GT(*resumed, *stopped + 0.2);
    EXPECT_LT(*resumed, *stopped + 1.5);  // continues from where it stood
}

// Read back from its six-digit text the clock would stand still at 10000.
TEST_F(ShapesSchedulerE2E, ClockRunsOnFromTenThousandSeconds)
{
    ASSERT_TRUE(viewer.send("Main.time=10000"));
    ASSERT_TRUE(clockReaches(10000));
    std::optional<double> first = printTime();
    const auto firstAt = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(1000ms);  // at 10000 s a print shows tenths
    std::optional<double> second = printTime();
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - firstAt).count();
    ASSERT_TRUE(first && second);
    EXPECT_GE(*first, 10000.0);
    EXPECT_NEAR(*second - *first, waited, 0.25);
}

}  // namespace

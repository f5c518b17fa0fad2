// Heavy traffic through the real process: a burst of cube statements from
// one sender and many senders changing their own cubes many times a second
// are all applied, and the frame loop keeps running meanwhile. Modest sizes
// here; the benchmark (scale_bursts_bench) runs the full ones.

#include "CommandBursts.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleE2E, BurstsAndManySendersLoseNothingAndFramesGoOn)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());

    const BurstResult burst = cubeBurst(viewer, 1000);
    EXPECT_EQ(burst.missing, 0);

    const ChurnResult churn = senderChurn(viewer, 10, 30, 2.0);
    EXPECT_EQ(churn.sent, 600);
    EXPECT_EQ(churn.stale, 0);
    EXPECT_GT(churn.clockAdvance, 0) << "the clocks stand still: no frames ran";

    // Nothing else came back: no statement was refused.
    EXPECT_TRUE(viewer.drainReports(std::chrono::milliseconds(300)).empty());
}

}  // namespace

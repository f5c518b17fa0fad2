#pragma once
// Heavy traffic for a running viewer, and the check that none of it was
// lost; the end-to-end test runs modest sizes, the benchmark full ones.
//
//   ViewerProcess viewer;
//   ASSERT_TRUE(viewer.start());
//   const BurstResult burst = cubeBurst(viewer, 1000);   // "cube b0 x=0" ... from one sender
//   EXPECT_EQ(burst.missing, 0);
//   const ChurnResult churn = senderChurn(viewer, 10, 30, 2.0);
//   EXPECT_EQ(churn.stale, 0);
//   EXPECT_GT(churn.clockAdvance, 0);                     // the frame loop kept running

#include "ViewerProcess.h"

#include <chrono>

struct BurstResult {
    int missing = 0;        // cubes whose x did not read back as sent
    double sendMs = 0;      // publishing all statements
    double appliedMs = 0;   // until a print after the last one was answered
};

// Publishes count cube statements from the viewer's sender, one message
// each ("cube b<i> x=<i>"), then reads every x back with print commands.
BurstResult cubeBurst(ViewerProcess& viewer, int count);

struct ChurnResult {
    long sent = 0;           // change messages published
    int stale = 0;           // senders whose cube did not end at their last value
    double clockAdvance = 0; // how far the first sender's clock moved meanwhile (s)
    double wallSeconds = 0;  // how long the changes took to publish
};

// senders users ("churn<k>:1"), each with a cube m of its own, change their
// cube's x rate times a second for the given seconds; then every sender
// reads its x back. The clock of the first sender tells whether frames ran.
ChurnResult senderChurn(ViewerProcess& viewer, int senders, int rate, double seconds);

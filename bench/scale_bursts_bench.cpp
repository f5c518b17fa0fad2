// Heavy traffic through the real process (under its own Xvfb), at the full
// sizes: 10 000 cube statements from one sender, then 100 senders each
// changing their own cube 30 times a second for 10 seconds. Reported: what
// was lost (must be nothing), how long the burst took to apply, and how far
// a sender's clock moved against the wall clock while the senders changed
// their cubes (near 1: the frame loop kept running).

#include <benchmark/benchmark.h>

#ifdef ZOLVI_HAVE_HARNESS
#include "CommandBursts.h"
#include "ViewerProcess.h"

namespace {

void Bursts(benchmark::State& state)
{
    for (auto _ : state) {
        ViewerProcess viewer;
        if (!viewer.start()) {
            state.SkipWithError("the viewer did not start");
            return;
        }
        const BurstResult burst = cubeBurst(viewer, 10000);
        const ChurnResult churn = senderChurn(viewer, 100, 30, 10.0);
        state.counters["burst_missing"] = burst.missing;
        state.counters["burst_send_ms"] = burst.sendMs;
        state.counters["burst_applied_ms"] = burst.appliedMs;
        state.counters["churn_sent"] = static_cast<double>(churn.sent);
        state.counters["churn_stale"] = churn.stale;
        state.counters["churn_clock_per_wall"] = churn.wallSeconds > 0 ? churn.clockAdvance / churn.wallSeconds : 0;
    }
}
BENCHMARK(Bursts)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
#endif

BENCHMARK_MAIN();

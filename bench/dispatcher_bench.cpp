// Statements per second through the command dispatcher (framing, parse,
// operations, report) beside the value store alone, which is the floor:
// the difference is what framing and parsing add.
//
// ProcessRoundTrip runs the real viewer (under its own Xvfb, through the
// test harness): it publishes a batch of statements and waits for the reply
// to the last one.
//
// Standard error, where the dispatcher writes its trace lines, goes to
// /dev/null while the benchmarks run.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "ParamType.h"
#include "ShapeUpdates.h"
#include "User.h"
#include "Users.h"
#include "Variables.h"
#include "support/LoopbackUdp.h"

#include <benchmark/benchmark.h>
#ifdef ZOLVI_HAVE_HARNESS
#include "ViewerProcess.h"
#endif

#include <cstdio>
#include <iostream>
#include <string>

namespace {

const char* const kAddress = "bench.local";

// Replies come to this loopback socket, so that a statement that is refused
// (and would be timed with its error report) is caught before it is timed.
LoopbackUdp& replySink()
{
    static LoopbackUdp* sink = new LoopbackUdp;
    return *sink;
}

void openReplySink() { Config::getInstance()->add("RouterFeedBackPort", replySink().portText()); }

// The replies received so far, joined.
std::string takeReplies()
{
    std::string replies;
    for (const std::string& datagram : replySink().drain())
        replies += datagram;
    return replies;
}

// The benchmark user, created by its first message (with its scheduler),
// owning the number y and the scheduler object s, whose parameters stand in
// for any object's.
User* benchUser()
{
    static User* user = [] {
        CommandParser* dispatcher = CommandParser::getInstance();
        dispatcher->parseCommand(std::string(kAddress) + ":1 y=3");
        dispatcher->parseCommand(std::string(kAddress) + ":1 sched s");
        return Users::getInstance()->getUser(kAddress);
    }();
    return user;
}

void runMessages(benchmark::State& state, const std::string& command)
{
    benchUser();
    CommandParser* dispatcher = CommandParser::getInstance();
    const std::string message = std::string(kAddress) + ":1 " + command;
    takeReplies();
    dispatcher->parseCommand(message);
    const std::string replies = takeReplies();
    if (!replies.empty()) {
        state.SkipWithError(("the statement is refused: " + replies).c_str());
        return;
    }
    for (auto _ : state)
        dispatcher->parseCommand(message);
    state.SetItemsProcessed(state.iterations());
}

void runStore(benchmark::State& state, const std::string& name, const std::string& text, ParamType kind,
              bool flush)
{
    User* user = benchUser();
    Variables* store = Variables::getInstance();
    const std::string fullName = user->getName() + ":" + name;
    for (auto _ : state) {
        store->add(user, fullName, text, kind);
        if (flush)
            ShapeUpdates::getInstance()->dirty();
    }
    state.SetItemsProcessed(state.iterations());
}

// Framing, user look-up, an empty parse and the (empty) report.
void DispatchEmptyStatement(benchmark::State& state) { runMessages(state, ";"); }
// One trace line on standard error, as each assignment writes.
void TraceLine(benchmark::State& state)
{
    const std::string line(132, 't');
    for (auto _ : state)
        std::cerr << line + "\n";
}
void StoreNumber(benchmark::State& state) { runStore(state, "x", "1", PARAM_EXPRESSION, true); }
void DispatchNumber(benchmark::State& state) { runMessages(state, "x=1"); }
void StoreExpression(benchmark::State& state) { runStore(state, "z", "y*2+sin(y)", PARAM_EXPRESSION, true); }
void DispatchExpression(benchmark::State& state) { runMessages(state, "z=`y*2+sin(y)`"); }

// Object assignments, on the scheduler object s, which does not play. Its
// parameters play, time and add bear keyword names, so a number reaches one
// only by its dotted name; name, its string tag, is assigned to the object.
void StoreObjectNumber(benchmark::State& state) { runStore(state, "s.play", "0", PARAM_EXPRESSION, true); }
void DispatchObjectNumber(benchmark::State& state) { runMessages(state, "s.play=0"); }
void StoreObjectString(benchmark::State& state) { runStore(state, "s.name", "scheduler", PARAM_STRING, true); }
void DispatchObjectString(benchmark::State& state) { runMessages(state, "s name='scheduler'"); }
void DispatchObjectStatement(benchmark::State& state) { runMessages(state, "sched s name='scheduler'"); }

BENCHMARK(DispatchEmptyStatement);
BENCHMARK(TraceLine);
BENCHMARK(StoreNumber);
BENCHMARK(DispatchNumber);
BENCHMARK(StoreExpression);
BENCHMARK(DispatchExpression);
BENCHMARK(StoreObjectNumber);
BENCHMARK(DispatchObjectNumber);
BENCHMARK(StoreObjectString);
BENCHMARK(DispatchObjectString);
BENCHMARK(DispatchObjectStatement);

#ifdef ZOLVI_HAVE_HARNESS
// Statements per second through the running viewer: intake, queue, command
// thread, parse, store and the reply datagram of the last one.
void ProcessRoundTrip(benchmark::State& state)
{
    static ViewerProcess* viewer = nullptr;
    if (viewer == nullptr) {
        viewer = new ViewerProcess;
        if (!viewer->start()) {
            state.SkipWithError("the viewer did not start");
            return;
        }
        viewer->send("y=3; sched s");
    }
    const int batch = static_cast<int>(state.range(0));
    const std::string statement = state.range(1) == 0 ? "x=1" : state.range(1) == 1 ? "z=`y*2+sin(y)`" : "s.play=0";
    int round = 0;
    for (auto _ : state) {
        viewer->drainReports(std::chrono::milliseconds(0));
        for (int i = 0; i < batch; ++i)
            viewer->send(statement);
        const std::string marker = std::to_string(++round) + "marker";
        viewer->send("print " + marker);
        for (;;) {
            const auto report = viewer->nextReport(std::chrono::milliseconds(60000));
            if (!report) {
                state.SkipWithError("no reply from the viewer");
                return;
            }
            if (report->find(marker) != std::string::npos)
                break;
            // Any other reply means the statement was refused.
            state.SkipWithError(("the statement is refused: " + *report).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * (batch + 1));
}
BENCHMARK(ProcessRoundTrip)->Args({1000, 0})->Args({1000, 1})->Args({1000, 2})->UseRealTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv)
{
    createShapeDefs();
    static ConfigPresets presets;
    Config::getInstance()->add("Router", "127.0.0.1");
    openReplySink();
    if (std::freopen("/dev/null", "w", stderr) == nullptr)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#pragma once
// What the scale benchmarks share: a display for the programs that draw,
// the dispatcher set up in-process as the viewer sets it up, cubes created
// through commands, the process's memory, and percentiles of a sample.
//
// Every scale benchmark reports the viewer's figure, the floor's figure
// (the same scene or data in plain OpenSceneGraph or exprtk, built in the
// same program) and their ratio, from the same run.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "support/LoopbackUdp.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <osg/Vec3f>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace scale {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the program again under xvfb-run when there is no display: the
// benchmarks that draw open a window as the viewer does.
inline void ensureDisplay(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if ((display != nullptr && *display != '\0') || std::getenv("ZOLVI_BENCH_XVFB") != nullptr)
        return;
    setenv("ZOLVI_BENCH_XVFB", "1", 1);
    std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1280x1024x24 -nolisten tcp")};
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
}

// main() of a benchmark program that draws: runs under a display, and
// leaves without tearing down the scene underneath the intake and command
// threads, which wait for ever, and the shapes, which stay bound.
inline int runWithDisplay(int argc, char** argv)
{
    ensureDisplay(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(nullptr);
    _exit(0);
}

// Bytes the allocator hands out now: from its heaps, and in blocks mapped
// by themselves (a large table or array).
inline double heapBytes()
{
    const struct mallinfo2 now = mallinfo2();
    return static_cast<double>(now.uordblks + now.hblkhd);
}

// Resident bytes of a process (this one by default).
inline double residentBytes(const std::string& pid = "self")
{
    std::ifstream status("/proc/" + pid + "/status");
    std::string key;
    while (status >> key) {
        double kilobytes = 0;
        if (key == "VmRSS:" && status >> kilobytes)
            return kilobytes * 1024;
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// The value below which the given share of the sample lies (0.5: median).
inline double percentile(std::vector<double> sample, double share)
{
    if (sample.empty())
        return 0;
    std::sort(sample.begin(), sample.end());
    const std::size_t index = static_cast<std::size_t>(share * static_cast<double>(sample.size() - 1) + 0.5);
    return sample[std::min(index, sample.size() - 1)];
}

// The viewer's figure, the floor's and their ratio as counters.
inline void reportAgainstFloor(benchmark::State& state, const std::string& what, double viewer, double floor)
{
    state.counters[what] = viewer;
    state.counters[what + "_floor"] = floor;
    state.counters[what + "_ratio"] = floor > 0 ? viewer / floor : 0;
}

// The dispatcher as start-up sets it up, without the intake thread and the
// window: definitions, presets, and replies to a loopback socket. Standard
// error (the dispatcher's trace lines) goes to /dev/null.
inline void setUpDispatcher()
{
    static bool done = [] {
        createShapeDefs();
        static ConfigPresets presets;
        static LoopbackUdp replies(1 << 22);
        Config::getInstance()->add("Router", "127.0.0.1");
        Config::getInstance()->add("RouterFeedBackPort", replies.portText());
        return std::freopen("/dev/null", "w", stderr) != nullptr;
    }();
    (void)done;
}

// Handles one command message of the sender, as the command thread does.
inline void command(const std::string& sender, const std::string& text)
{
    CommandParser::getInstance()->parseCommand(sender + ":1 " + text);
}

// Where the i-th cube of a scene stands: a grid of 100 columns in the
// plane that the default camera looks at, every cube in view.
constexpr float gridCubeSize = 8;
inline osg::Vec3f gridPosition(int i)
{
    return osg::Vec3f(static_cast<float>(i % 100 - 50) * 14.0f, 0.0f, static_cast<float>(i / 100 % 100 - 50) * 9.0f);
}

// The statement that creates the i-th cube of a scene at its grid place.
inline std::string gridCubeStatement(int i)
{
    const osg::Vec3f at = gridPosition(i);
    return "cube c" + std::to_string(i) + " x=" + std::to_string(static_cast<int>(at.x())) +
           " z=" + std::to_string(static_cast<int>(at.z())) + " size=" + std::to_string(static_cast<int>(gridCubeSize));
}

}  // namespace scale

#include "NumberText.h"
#include "Scheduler.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "ShapeUpdates.h"
#include "VarType.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <ostream>

#include <osg/Geode>
#include <osg/Group>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Firing {
    std::string command;
    double clock;  // the clock of the frame that fired it
};

class ShapesScheduler : public testing::Test {
protected:
    void SetUp() override
    {
        ensureShapeDefs();
        BasicShape* shape = ShapeDefinitions::getInstance()->getFactory("scheduler")->createInstance(user, "Main");
        keepForever(shape);
        scheduler = dynamic_cast<Scheduler*>(shape);
        ASSERT_NE(scheduler, nullptr);
        scheduler->setEventHandler([this](const std::string& owner, const std::string& command) {
            EXPECT_EQ(owner, user);
            fired.push_back({command, scheduler->getCurrentTime()});
            if (command == " restart")
                store("time", "0");
        });
        osg::ref_ptr<osg::Geode> geode = new osg::Geode();
        geode->addDrawable(scheduler->asDrawable());
        root->addChild(geode.get());
    }

    // Stores a parameter of Main and flushes, as an untimed statement does.
    void store(const std::string& parameter, const std::string& text, ParamType kind = PARAM_NUMBER)
    {
        Variables::getInstance()->add(nullptr, user + ":Main." + parameter, text, kind);
        ShapeUpdates::getInstance()->dirty();
    }
    void schedule(const std::string& entry) { store("add", entry, PARAM_SCHEDULE); }

    std::string timeText()
    {
        Type* time = nullptr;
        Variables::getInstance()->get(user + ":Main.time", time);
        return time->asVarType()->getString();
    }
    double timeValue()
    {
        Type* time = nullptr;
        Variables::getInstance()->get(user + ":Main.time", time);
        return time->asVarType()->getValue();
    }

    // count frames of the given step, the first at simulation time start.
    void run(double start, double step, int count)
    {
        for (int i = 0; i < count; ++i)
            frames.at(start + i * step);
        simulationTime = start + (count - 1) * step;
    }
    void runMore(double step, int count) { run(simulationTime + step, step, count); }

    std::vector<std::string> firedCommands()
    {
        std::vector<std::string> commands;
        for (const Firing& firing : fired)
            commands.push_back(firing.command);
        return commands;
    }

    const std::string user = freshUser("sched");
    Scheduler* scheduler = nullptr;
    osg::ref_ptr<osg::Group> root = new osg::Group();
    UpdateFrames frames{root.get()};
    double simulationTime = 0.0;
    std::vector<Firing> fired;
};

TEST_F(ShapesScheduler, FirstFrameStepIsZeroThenTheClockFollowsSimulationTime)
{
    store("play", "1");
    run(5.0, 1.0 / 30, 1);
    EXPECT_EQ(timeText(), "0");
    runMore(1.0 / 30, 1);
    EXPECT_EQ(timeText(), "0.0333333");
    runMore(1.0 / 30, 29);
    EXPECT_EQ(timeText(), "1");
}

TEST_F(ShapesScheduler, DueEventsFireOnceInTimeOrder)
{
    for (const char* entry : {"0 never", "1 c", "0.5 a", "0.4 first", "0.5 b"})
        schedule(entry);
    store("play", "1");
    testing::internal::CaptureStderr();
    run(1.0, 1.0 / 30, 45);
    const std::string trace = testing::internal::GetCapturedStderr();

    EXPECT_EQ(firedCommands(), (std::vector<std::string>{" first", " a", " b", " c"}));
    const double times[] = {0.4, 0.5, 0.5, 1.0};
    for (size_t i = 0; i < fired.size(); ++i) {
        EXPECT_GE(fired[i].clock, times[i]) << fired[i].command;
        EXPECT_LT(fired[i].clock, times[i] + 1.0 / 30 + 1e-9) << fired[i].command;
    }
    EXPECT_NE(trace.find("Adding command:  first\nAdding command:  a\nAdding command:  b\n"), std::string::npos);
}

struct LongRun {
    double start;
    double step;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const LongRun& c, std::ostream* os) { *os << "from " << c.start << " s by " << c.step << " s"; }

class ShapesSchedulerLongRun : public ShapesScheduler, public testing::WithParamInterface<LongRun> {};

// Read back from its six-digit text the clock would step by 0.03 from
// 1000 s on and stand still from 10000 s on.
TEST_P(ShapesSchedulerLongRun, ClockNeitherFreezesNorSkips)
{
    const LongRun run = GetParam();
    const int frameCount = static_cast<int>(std::lround(2.0 / run.step));
    const double span = (frameCount - 1) * run.step;
    std::vector<std::string> expected;
    for (double at = 0.0123; at < span - 0.01; at += 0.0123) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%.4f", run.start + at);
        schedule(std::string(entry) + " at" + entry);
        expected.push_back(std::string(" at") + entry);
    }
    store("time", formatNumber(run.start));
    store("play", "1");
    this->run(100.0, run.step, frameCount);

    EXPECT_EQ(timeText(), formatNumber(run.start + span));
    EXPECT_NEAR(scheduler->getCurrentTime(), run.start + span, 1e-6);
    // Every event in between fires once: none twice, none lost between windows.
    EXPECT_EQ(firedCommands(), expected);
}

INSTANTIATE_TEST_SUITE_P(Clocks, ShapesSchedulerLongRun,
                         testing::Values(LongRun{0.0, 1.0 / 30}, LongRun{1000.0, 1.0 / 30},
                                         LongRun{1000.0, 1.0 / 60}, LongRun{10000.0, 1.0 / 30},
                                         LongRun{10000.0, 1.0 / 60}),
                         [](const testing::TestParamInfo<LongRun>& info) {
                             return "From" + std::to_string(static_cast<int>(info.param.start)) + "At" +
                                    std::to_string(std::lround(1.0 / info.param.step)) + "Fps";
                         });

TEST_F(ShapesScheduler, StoredTimeMovesTheClock)
{
    schedule("0.5 half");
    store("play", "1");
    run(1.0, 0.1, 8);  // clock 0.7: half fired once
    ASSERT_EQ(firedCommands(), std::vector<std::string>{" half"});

    store("time", "0");  // a command writes the clock
    runMore(0.1, 1);
    EXPECT_NEAR(scheduler->getCurrentTime(), 0.1, 1e-9);
    runMore(0.1, 5);
    EXPECT_EQ(firedCommands(), (std::vector<std::string>{" half", " half"}));
}

TEST_F(ShapesScheduler, FiredCommandThatResetsTheClockRepeatsThePass)
{
    schedule("0.25 tick");
    schedule("0.45 restart");
    store("play", "1");
    run(1.0, 0.1, 15);  // passes 0.25 and 0.45 about every five frames
    std::vector<std::string> commands = firedCommands();
    ASSERT_GE(commands.size(), 4u);
    for (size_t i = 0; i < commands.size(); ++i)
        EXPECT_EQ(commands[i], i % 2 == 0 ? " tick" : " restart") << i;
}

TEST_F(ShapesScheduler, PlayZeroStopsAndOneResumesFromTheStoredTime)
{
    schedule("1.5 later");
    store("play", "1");
    run(1.0, 0.1, 11);
    const std::string stoppedAt = timeText();
    EXPECT_EQ(stoppedAt, "1");

    store("play", "0");
    runMore(0.1, 1);  // the reload frame stops before advancing
    runMore(0.1, 10);
    EXPECT_EQ(timeText(), stoppedAt);
    EXPECT_TRUE(fired.empty());
    EXPECT_FALSE(scheduler->isPlaying());

    store("play", "1");
    runMore(0.1, 6);
    EXPECT_EQ(timeText(), "1.6");
    EXPECT_EQ(firedCommands(), std::vector<std::string>{" later"});
}

TEST_F(ShapesScheduler, MarkedFromAnotherThreadWhileItRuns)
{
    store("play", "1");
    std::atomic<bool> done{false};
    std::thread marker([&] {
        while (!done)
            scheduler->dirty();
    });
    run(1.0, 0.01, 200);
    done = true;
    marker.join();
    EXPECT_NEAR(timeValue(), 1.99, 1e-6);
}

}  // namespace

namespace {

// A clock that holds no ordinary number (0/0, 1/0) stands still: it fires
// nothing and stores nothing until a command writes `time` again.
TEST_F(ShapesScheduler, ClockOfNoNumberStandsStill)
{
    schedule("0.5 half");
    schedule("3 later");
    store("play", "1");
    for (const char* text : {"0/0", "1/0", "-1/0"}) {
        store("time", text);
        testing::internal::CaptureStderr();
        runMore(0.1, 6);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << text;
        EXPECT_EQ(timeText(), text);
        EXPECT_TRUE(fired.empty()) << text;
    }

    store("time", "0");  // a command puts it right again
    runMore(0.1, 8);
    EXPECT_EQ(firedCommands(), std::vector<std::string>{" half"});
}

// `time` holding an expression moves the clock when what it uses changes,
// although its text stays the same.
TEST_F(ShapesScheduler, StoppedClockFollowsTheExpressionInTime)
{
    Variables::getInstance()->add(nullptr, user + ":start", "5", PARAM_EXPRESSION);
    store("time", "start", PARAM_EXPRESSION);
    run(1.0, 0.1, 2);
    EXPECT_NEAR(scheduler->getCurrentTime(), 5.0, 1e-9);

    Variables::getInstance()->add(nullptr, user + ":start", "7", PARAM_EXPRESSION);
    ShapeUpdates::getInstance()->dirty();
    runMore(0.1, 1);
    store("play", "1");
    runMore(0.1, 3);  // the reload frame advances too
    EXPECT_NEAR(scheduler->getCurrentTime(), 7.3, 1e-9);
}

}  // namespace

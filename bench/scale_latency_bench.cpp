// Command to pixel: the time from publishing a change of a cube's bound
// parameter to the end of the first frame drawn with the change, with N
// cubes in the scene. The real code runs in-process: a ZeroMQ publisher,
// the intake thread, the command queue and thread, the value store, the
// redraw set, the update traversal and the draw, in a window set up as at
// start-up, with frames capped at 30 per second as the viewer runs them.
//
// The floor is a bare OpenSceneGraph scene of the same N cubes in the same
// window, where the change is written straight into the cube's arrays in
// the next frame: what is left is the wait for the next frame and the
// frame itself. The two scenes take turns, a block of changes each, so
// that both see the same load of the machine. Reported: p50 and p99 in
// milliseconds and in frame intervals (1/30 s), and their ratios to the
// floor's; and the median time of a frame in each, as a change waits for
// the end of the frame under way and then for a whole frame.

#include "BareCube.h"
#include "CubeShape.h"
#include "ScaleBench.h"
#include "SocketThread.h"
#include "ViewerClient.h"
#include "ViewerWindow.h"

#include <osgViewer/Viewer>

#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

constexpr double frameInterval = 1000.0 / 30;  // milliseconds at the viewer's cap
constexpr int changes = 200;  // of each scene
constexpr int changesPerTurn = 20;
const char* const sender = "latency:1";

// A change published at a moment, and whether a drawn frame showed it.
struct Change {
    int cube = 0;
    float x = 0;
    scale::Clock::time_point published;
};

// The viewer in-process, wired as at start-up: the window of the drawing
// benchmarks, and an intake thread on the client's address, which the
// replies go back to.
struct LiveViewer : scale::ViewerWindow {
    LiveViewer()
    {
        client = ViewerClient::claimLoopback(12346);
        // Read when a sender's user is made, after this.
        Config::getInstance()->add("Router", client->router());
        Config::getInstance()->add("RouterFeedBackPort", std::to_string(client->feedbackPort()));
        new SocketThread(&queue, client->router());
        client->waitForSubscriber(std::chrono::seconds(30));
    }

    // One frame, then a wait to the cap, as the viewer's run loop does;
    // gives the moment the frame was drawn.
    scale::Clock::time_point cappedFrame()
    {
        const auto start = scale::Clock::now();
        viewer->frame();
        const auto drawn = scale::Clock::now();
        frameMilliseconds.push_back(std::chrono::duration<double, std::milli>(drawn - start).count());
        std::this_thread::sleep_until(start + std::chrono::microseconds(static_cast<long>(frameInterval * 1000)));
        return drawn;
    }

    // Publishes the statements that make the scene up to count cubes and
    // runs frames until all are drawn.
    bool growTo(int count)
    {
        for (; cubes < count; ++cubes)
            client->send(std::string(sender) + " " + scale::gridCubeStatement(cubes));
        client->send(std::string(sender) + " print c" + std::to_string(count - 1) + ".size");
        const auto deadline = scale::Clock::now() + std::chrono::minutes(5);
        while (scale::Clock::now() < deadline) {
            cappedFrame();
            if (client->nextReport(std::chrono::milliseconds(0)))
                break;
        }
        for (int i = 0; i < 3; ++i)
            cappedFrame();
        shapes.clear();
        for (unsigned int i = 0; i < root->getNumChildren(); ++i) {
            osg::Geode* geode = root->getChild(i)->asGeode();
            auto* cube = geode != nullptr && geode->getNumDrawables() > 0
                             ? dynamic_cast<CubeShape*>(geode->getDrawable(0))
                             : nullptr;
            if (cube != nullptr)
                shapes.push_back(cube);
        }
        return static_cast<int>(shapes.size()) == count;
    }

    std::unique_ptr<ViewerClient> client;
    std::vector<CubeShape*> shapes;  // in creation order: shapes[i] is ci
    std::vector<double> frameMilliseconds;  // how long each frame took
    int cubes = 0;
};

LiveViewer& liveViewer()
{
    static LiveViewer* live = new LiveViewer();
    return *live;
}

// The x of a cube's first vertex, as the arrays it is drawn from hold it.
float firstVertexX(const CubeShape& cube)
{
    const osg::Vec3f* drawn = cube.drawnVertices();
    return drawn != nullptr ? drawn->x() : std::nanf("");
}
float firstVertexX(osg::Geometry& geometry)
{
    return (*static_cast<osg::Vec3Array*>(geometry.getVertexArray()))[0].x();
}

// The changes of one scene, over all its turns: the cubes it moved so far
// and their latencies, in milliseconds.
struct Series {
    explicit Series(unsigned seed) : random(seed) {}
    std::mt19937 random;
    std::map<int, float> current;  // each changed cube's x: every change moves it one further
    std::vector<double> latencies;
};

// Measures a turn of changes: publish runs in a thread of its own (after a
// random pause, so that changes fall anywhere in a frame), frames run in
// this thread; a change counts from its publication to the end of the
// first frame after which the cube's arrays hold it (the draw of a frame
// ends before the next update traversal starts). False when a change was
// not drawn within 30 s.
template <typename Publish, typename Frame, typename FirstX>
bool measure(int cubeCount, Series& series, Publish publish, Frame frame, FirstX firstXOf)
{
    for (int i = 0; i < changesPerTurn; ++i) {
        Change change;
        change.cube = static_cast<int>(series.random() % static_cast<unsigned>(cubeCount));
        auto known = series.current.emplace(change.cube, scale::gridPosition(change.cube).x()).first;
        change.x = known->second += 1.0f;
        const auto pause = std::chrono::microseconds(series.random() % 40000);
        std::thread publisher([&] {
            std::this_thread::sleep_for(pause);
            change.published = scale::Clock::now();
            publish(change);
        });
        const float expected = change.x - scale::gridCubeSize * 0.5f;
        const auto deadline = scale::Clock::now() + std::chrono::seconds(30);
        bool seen = false;
        scale::Clock::time_point end;
        while (!seen && scale::Clock::now() < deadline) {
            end = frame();
            seen = std::abs(firstXOf(change.cube) - expected) < 1e-3f;
        }
        publisher.join();
        if (!seen)
            return false;
        series.latencies.push_back(std::chrono::duration<double, std::milli>(end - change.published).count());
    }
    return true;
}

void CommandToPixel(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    LiveViewer& live = liveViewer();
    if (!live.growTo(count)) {
        state.SkipWithError("the cubes were not all created");
        return;
    }
    osg::ref_ptr<osg::Group> bare = new osg::Group();
    std::vector<osg::Geometry*> bareCubes;
    for (int i = 0; i < count; ++i) {
        osg::Geode* geode = scale::makeBareCube(scale::gridPosition(i), scale::gridCubeSize);
        bareCubes.push_back(geode->getDrawable(0)->asGeometry());
        bare->addChild(geode);
    }

    Series viewerSeries(7), floorSeries(7);
    std::vector<double> viewerFrames, floorFrames;
    std::mutex pendingLock;
    std::vector<Change> pending;
    bool drawn = true;
    for (auto _ : state) {
        for (int turn = 0; drawn && turn < changes / changesPerTurn; ++turn) {
            // A scene just put in place draws a frame first: the floor's first
            // frame also makes the buffers of its arrays.
            live.viewer->setSceneData(live.root.get());
            live.cappedFrame();
            live.frameMilliseconds.clear();
            drawn = measure(
                count, viewerSeries,
                [&](const Change& change) {
                    live.client->send(std::string(sender) + " c" + std::to_string(change.cube) +
                                      " x=" + std::to_string(static_cast<int>(change.x)));
                },
                [&] { return live.cappedFrame(); },
                [&](int cube) { return firstVertexX(*live.shapes[static_cast<std::size_t>(cube)]); });
            viewerFrames.insert(viewerFrames.end(), live.frameMilliseconds.begin(), live.frameMilliseconds.end());

            // The floor: the change waits for the next frame's update, which
            // writes it straight into the arrays.
            live.viewer->setSceneData(bare.get());
            live.cappedFrame();
            live.frameMilliseconds.clear();
            drawn = drawn &&
                    measure(
                        count, floorSeries,
                        [&](const Change& change) {
                            std::lock_guard<std::mutex> guard(pendingLock);
                            pending.push_back(change);
                        },
                        [&] {
                            {
                                std::lock_guard<std::mutex> guard(pendingLock);
                                for (const Change& change : pending) {
                                    osg::Vec3f at = scale::gridPosition(change.cube);
                                    at.x() = change.x;
                                    scale::writeBareCube(*bareCubes[static_cast<std::size_t>(change.cube)], at,
                                                         scale::gridCubeSize);
                                }
                                pending.clear();
                            }
                            return live.cappedFrame();
                        },
                        [&](int cube) { return firstVertexX(*bareCubes[static_cast<std::size_t>(cube)]); });
            floorFrames.insert(floorFrames.end(), live.frameMilliseconds.begin(), live.frameMilliseconds.end());
        }
    }
    live.viewer->setSceneData(live.root.get());
    if (!drawn) {
        state.SkipWithError("a change was not drawn within 30 s");
        return;
    }
    const std::vector<double>& viewerLatencies = viewerSeries.latencies;
    const std::vector<double>& floorLatencies = floorSeries.latencies;
    for (const auto& [name, share] : std::map<std::string, double>{{"p50", 0.5}, {"p99", 0.99}}) {
        const double viewer = scale::percentile(viewerLatencies, share);
        const double floor = scale::percentile(floorLatencies, share);
        scale::reportAgainstFloor(state, name + "_ms", viewer, floor);
        state.counters[name + "_frames"] = viewer / frameInterval;
        state.counters[name + "_frames_floor"] = floor / frameInterval;
    }
    scale::reportAgainstFloor(state, "frame_ms", scale::percentile(viewerFrames, 0.5),
                              scale::percentile(floorFrames, 0.5));
}
BENCHMARK(CommandToPixel)->Arg(10)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return scale::runWithDisplay(argc, argv); }

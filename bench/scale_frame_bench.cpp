// Frame cost of idle shapes: N cubes created through commands and then left
// alone, drawn by the viewer as it is set up at start-up (window, threading
// model, scene root), against a bare OpenSceneGraph scene of the same N
// cubes (same arrays and state, no callbacks) drawn by the same viewer.
// Frames run uncapped; the two scenes take turns, so that both see the
// same load. Reported: the median update traversal and whole frame of
// each, their ratios, and the update traversal's share of the frame.

#include "BareCube.h"
#include "ScaleBench.h"
#include "ViewerWindow.h"

#include <osgViewer/Viewer>

#include <string>
#include <vector>

namespace {

const char* const sender = "frames";

// The viewer's scene and its dispatcher, made once; cubes are added as the
// benchmarks ask for more.
struct ViewerScene : scale::ViewerWindow {
    void growTo(int count)
    {
        for (; cubes < count; ++cubes)
            scale::command(sender, scale::gridCubeStatement(cubes));
        viewer->setSceneData(root.get());
        // Insertions and first redraws happen in the next update traversal.
        for (int i = 0; i < 3; ++i)
            viewer->frame();
    }

    int cubes = 0;
};

ViewerScene& viewerScene()
{
    static ViewerScene* scene = new ViewerScene();
    return *scene;
}

struct FrameTimes {
    std::vector<double> update;
    std::vector<double> frame;
};

// Runs frames of the scene, timing the update traversal and the whole frame.
void runFrames(osgViewer::Viewer& viewer, osg::Node* scene, int frames, FrameTimes& times)
{
    viewer.setSceneData(scene);
    for (int i = 0; i < 3; ++i)
        viewer.frame();
    for (int i = 0; i < frames; ++i) {
        const auto start = scale::Clock::now();
        viewer.advance();
        viewer.eventTraversal();
        const auto updateStart = scale::Clock::now();
        viewer.updateTraversal();
        times.update.push_back(scale::millisecondsSince(updateStart));
        viewer.renderingTraversals();
        times.frame.push_back(scale::millisecondsSince(start));
    }
}

void IdleFrames(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ViewerScene& scene = viewerScene();
    scene.growTo(count);
    osg::ref_ptr<osg::Group> bare = new osg::Group();
    for (int i = 0; i < count; ++i)
        bare->addChild(scale::makeBareCube(scale::gridPosition(i), scale::gridCubeSize));

    FrameTimes viewerTimes, floorTimes;
    for (auto _ : state) {
        for (int round = 0; round < 6; ++round) {
            runFrames(*scene.viewer, scene.root.get(), 15, viewerTimes);
            runFrames(*scene.viewer, bare.get(), 15, floorTimes);
        }
    }
    scene.viewer->setSceneData(scene.root.get());
    const double update = scale::percentile(viewerTimes.update, 0.5);
    const double frame = scale::percentile(viewerTimes.frame, 0.5);
    scale::reportAgainstFloor(state, "update_ms", update, scale::percentile(floorTimes.update, 0.5));
    scale::reportAgainstFloor(state, "frame_ms", frame, scale::percentile(floorTimes.frame, 0.5));
    state.counters["update_share_of_frame"] = frame > 0 ? update / frame : 0;
}
BENCHMARK(IdleFrames)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return scale::runWithDisplay(argc, argv); }

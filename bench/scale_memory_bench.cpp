// Memory at scale: what a stored number and a cube cost, against the
// floor of the same data in plain exprtk and OpenSceneGraph.
//
// StoredNumbers: bytes per plain number (as a free variable's "x=5" and as
// an object parameter's default), against a double bound in a symbol table.
// CubesInProcess: cubes created through commands (the dispatcher as the
// command thread runs it, without a window): bytes per cube, split into
// the 28 stored values, their share of the index of names and the shape,
// against a bare cube; and the time to create them. No frame runs, so a
// cube holds no arrays yet: CubesDrawn counts what drawing adds.
// The index of names doubles now and then; a figure per value counts its
// slots at the load the index has at the end, not the doubling that
// happened to fall within the measured stores.
// CubesInViewer: the real process (under its own Xvfb): resident memory
// grown per 1 000 cubes and the time until 10 000 cube statements are
// applied, drawn for a second. Two scenes: cubes of edge 1 along x from 0
// to 99 (each under two pixels wide), and the grid of visible cubes of the
// frame benchmarks; the renderer's memory for what it draws counts in both.
// CubesDrawn: resident memory grown per cube of the grid, drawn for two
// seconds in a window set up as at start-up, against the same grid of
// bare cubes drawn the same way. Each scene is measured in a child process
// of its own, so that neither reuses the renderer's per-frame buffers or
// the allocator's retained memory of the other.

#include "BareCube.h"
#include "ChildRun.h"
#include "ParamType.h"
#include "ScaleBench.h"
#include "ShapeDefinitions.h"
#include "Variables.h"
#include "ViewerWindow.h"

#include "exprtk/exprtk.hpp"

#ifdef ZOLVI_HAVE_HARNESS
#include "ViewerProcess.h"
#endif

#include <osg/Group>
#include <osgViewer/Viewer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <string>

namespace {

double indexBytes() { return static_cast<double>(sizeof(Type*) * Variables::getInstance()->index().slotCount()); }

double indexBytesPerValue()
{
    const auto entries = static_cast<double>(Variables::getInstance()->index().size());
    return entries > 0 ? indexBytes() / entries : 0;
}

// The heap and the index of names at one moment.
struct HeapMark {
    double heap = scale::heapBytes();
    double index = indexBytes();
};

// Heap bytes grown per item since the mark, each of the item's values
// holding its share of the index at the index's present load.
double bytesPerItem(const HeapMark& mark, int items, int valuesPerItem)
{
    const double grown = (scale::heapBytes() - mark.heap) - (indexBytes() - mark.index);
    return grown / items + valuesPerItem * indexBytesPerValue();
}

void StoredNumbers(benchmark::State& state)
{
    scale::setUpDispatcher();
    const int count = static_cast<int>(state.range(0));
    const ParamType kind = state.range(1) == 0 ? PARAM_EXPRESSION : PARAM_NUMBER;
    static int run = 0;
    const std::string user = "numbers" + std::to_string(run++) + ":";
    double viewerBytes = 0, floorBytes = 0, storeMs = 0;
    for (auto _ : state) {
        const HeapMark before;
        const auto start = scale::Clock::now();
        for (int i = 0; i < count; ++i)
            Variables::getInstance()->add(nullptr, user + "v" + std::to_string(i), "1.5", kind);
        storeMs = scale::millisecondsSince(start);
        viewerBytes = bytesPerItem(before, count, 1);

        // The floor: each number a double, bound under its name.
        const double floorBefore = scale::heapBytes();
        {
            std::deque<double> values;
            exprtk::symbol_table<double> symbols;
            for (int i = 0; i < count; ++i) {
                values.push_back(1.5);
                symbols.add_variable(user + "v" + std::to_string(i), values.back());
            }
            floorBytes = (scale::heapBytes() - floorBefore) / count;
        }
    }
    scale::reportAgainstFloor(state, "bytes_per_number", viewerBytes, floorBytes);
    state.counters["store_us_per_number"] = storeMs * 1000 / count;
}
BENCHMARK(StoredNumbers)->Args({100000, 0})->Args({100000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

// Stores the defaults of every row of the cube type under an object name,
// as creating a cube does, without the shape.
void storeCubeValues(const std::string& prefix)
{
    for (const auto& row : *ShapeDefinitions::getInstance()->getDefinition("cube"))
        Variables::getInstance()->add(nullptr, prefix + row.first, row.second.first, row.second.second);
}

void CubesInProcess(benchmark::State& state)
{
    scale::setUpDispatcher();
    const int count = static_cast<int>(state.range(0));
    static int run = 0;
    const std::string sender = "memory" + std::to_string(run++);
    scale::command(sender, "x=1");  // the user and its scheduler come first
    const int valuesPerCube = static_cast<int>(ShapeDefinitions::getInstance()->getDefinition("cube")->size());
    double cubeBytes = 0, valueBytes = 0, indexShare = 0, shapeBytes = 0, floorBytes = 0, residentPerThousand = 0,
           createMs = 0;
    for (auto _ : state) {
        const HeapMark cubesBefore;
        const double residentBefore = scale::residentBytes();
        const auto start = scale::Clock::now();
        for (int i = 0; i < count; ++i)
            scale::command(sender, "cube c" + std::to_string(i));
        createMs = scale::millisecondsSince(start);
        const double cubesGrown = bytesPerItem(cubesBefore, count, 0);
        indexShare = valuesPerCube * indexBytesPerValue();
        cubeBytes = cubesGrown + indexShare;
        residentPerThousand = (scale::residentBytes() - residentBefore) / count * 1000;

        const HeapMark valuesBefore;
        const int valueCount = std::min(count, 2000);
        for (int i = 0; i < valueCount; ++i)
            storeCubeValues(sender + "values:v" + std::to_string(i) + ".");
        valueBytes = bytesPerItem(valuesBefore, valueCount, 0);
        shapeBytes = cubesGrown - valueBytes;

        const double floorBefore = scale::heapBytes();
        {
            osg::ref_ptr<osg::Group> bare = new osg::Group();
            for (int i = 0; i < count; ++i)
                bare->addChild(scale::makeBareCube(osg::Vec3f(), 1));
            floorBytes = (scale::heapBytes() - floorBefore) / count;
        }
    }
    scale::reportAgainstFloor(state, "bytes_per_cube", cubeBytes, floorBytes);
    state.counters["values_bytes_per_cube"] = valueBytes;
    state.counters["index_bytes_per_cube"] = indexShare;
    state.counters["shape_bytes_per_cube"] = shapeBytes;
    state.counters["resident_KB_per_1000"] = residentPerThousand / 1024;
    state.counters["create_ms"] = createMs;
}
BENCHMARK(CubesInProcess)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef ZOLVI_HAVE_HARNESS
void CubesInViewer(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const bool grid = state.range(1) == 1;
    double residentPerThousand = 0, createMs = 0;
    for (auto _ : state) {
        ViewerProcess viewer;
        if (!viewer.start()) {
            state.SkipWithError("the viewer did not start");
            return;
        }
        const std::string pid = std::to_string(viewer.pid());
        viewer.send("x=1; print x");
        viewer.nextReport(std::chrono::seconds(30));
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double before = scale::residentBytes(pid);
        const auto start = scale::Clock::now();
        for (int i = 0; i < count; ++i)
            viewer.send(grid ? scale::gridCubeStatement(i)
                             : "cube c" + std::to_string(i) + " x=" + std::to_string(i % 100));
        viewer.send("print c" + std::to_string(count - 1) + ".x");
        const auto reply = viewer.nextReport(std::chrono::seconds(300));
        createMs = scale::millisecondsSince(start);
        const int lastX = grid ? static_cast<int>(scale::gridPosition(count - 1).x()) : (count - 1) % 100;
        if (!reply || reply->find(std::to_string(lastX)) == std::string::npos) {
            state.SkipWithError("the cubes were not all created");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));  // drawn, buffers uploaded
        residentPerThousand = (scale::residentBytes(pid) - before) / count * 1000;
    }
    state.counters["resident_KB_per_1000"] = residentPerThousand / 1024;
    state.counters["create_ms"] = createMs;
}
BENCHMARK(CubesInViewer)->Args({10000, 0})->Args({10000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

// The argument that makes the program measure one drawn scene (viewer or
// floor) of N cubes and print the resident bytes grown per cube, on a line
// of its own after the prefix (OpenSceneGraph may print lines too).
const char* const drawnSceneArgument = "--drawn-scene";
const char* const figurePrefix = "resident bytes per cube: ";

void drawFor(osgViewer::Viewer& viewer, std::chrono::milliseconds time)
{
    const auto end = scale::Clock::now() + time;
    while (scale::Clock::now() < end)
        viewer.frame();
}

// In the child process: draws the empty scene, then the grid of count
// cubes (the viewer's through commands, the floor's as bare cubes in a
// group) for two seconds, and prints the resident bytes grown per cube
// after the figure's prefix, or what went wrong. Gives the exit code.
int measureDrawnScene(const std::string& scene, int count)
{
    const bool floor = scene == "floor";
    if ((!floor && scene != "viewer") || count <= 0) {
        std::printf("no scene '%s' of %d cubes\n", scene.c_str(), count);
        return 2;
    }
    // Left alive: the shapes stay bound, and the process ends with _exit.
    auto* window = new scale::ViewerWindow();
    if (!window->viewer->isRealized()) {
        std::printf("the window could not be opened\n");
        return 1;
    }
    osgViewer::Viewer& viewer = *window->viewer;
    osg::ref_ptr<osg::Group> bare = new osg::Group();
    const std::string sender = "drawn";
    if (floor)
        viewer.setSceneData(bare.get());
    else
        scale::command(sender, "x=1");  // the user and its scheduler come first
    drawFor(viewer, std::chrono::seconds(1));
    const double before = scale::residentBytes();
    for (int i = 0; i < count; ++i) {
        if (floor)
            bare->addChild(scale::makeBareCube(scale::gridPosition(i), scale::gridCubeSize));
        else
            scale::command(sender, scale::gridCubeStatement(i));
    }
    drawFor(viewer, std::chrono::seconds(2));
    const double grown = scale::residentBytes() - before;
    const unsigned int children = window->root->getNumChildren();
    if (!floor && children < static_cast<unsigned int>(count)) {
        std::printf("only %u of the %d cubes joined the scene\n", children, count);
        return 1;
    }
    std::printf("%s%.1f\n", figurePrefix, grown / count);
    return 0;
}

// The resident bytes per cube of a drawn scene, measured in a child
// process: the figure on the line that starts with the prefix.
bool residentPerDrawnCube(const std::string& scene, int count, double& bytes, std::string& failure)
{
    std::string output;
    const bool finished =
        scale::runChild({drawnSceneArgument, scene, std::to_string(count)}, std::chrono::minutes(5), output, failure);
    const std::size_t at = output.rfind(figurePrefix);
    if (finished && at != std::string::npos && (at == 0 || output[at - 1] == '\n')) {
        const char* figure = output.c_str() + at + std::strlen(figurePrefix);
        char* end = nullptr;
        bytes = std::strtod(figure, &end);
        if (end != figure && (*end == '\n' || *end == '\0'))
            return true;
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    const std::size_t lineEnd = output.rfind('\n');
    const std::string lastLine = lineEnd == std::string::npos ? output : output.substr(lineEnd + 1);
    failure = "the " + scene + " scene's child process " + (finished ? "printed no figure" : failure) +
              (lastLine.empty() ? "" : ": " + lastLine);
    return false;
}

void CubesDrawn(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    double viewerBytes = 0, floorBytes = 0;
    for (auto _ : state) {
        std::string failure;
        if (!residentPerDrawnCube("floor", count, floorBytes, failure) ||
            !residentPerDrawnCube("viewer", count, viewerBytes, failure)) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
    scale::reportAgainstFloor(state, "resident_bytes_per_cube", viewerBytes, floorBytes);
}
BENCHMARK(CubesDrawn)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// "--drawn-scene viewer|floor N": the child process of CubesDrawn.
int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], drawnSceneArgument) == 0) {
        const int code = measureDrawnScene(argv[2], std::atoi(argv[3]));
        std::fflush(nullptr);
        _exit(code);
    }
    return scale::runWithDisplay(argc, argv);
}

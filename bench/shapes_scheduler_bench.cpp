// Cost of one frame of a playing scheduler (clock store, flush, walk over
// its schedule) and of a shape's texture call with an unchanged name.

#include "Config.h"
#include "Definitions.h"
#include "GeometryShape.h"
#include "Scheduler.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "ShapeUpdates.h"
#include "Variables.h"

#include <benchmark/benchmark.h>

#include <osg/FrameStamp>
#include <osg/Geode>
#include <osgDB/WriteFile>
#include <osgUtil/UpdateVisitor>
#include <unistd.h>
#include <cstdio>
#include <string>

namespace {

void schedulerFrame(benchmark::State& state)
{
    static bool defined = (createShapeDefs(), true);
    (void)defined;
    static int serial = 0;
    const std::string user = "bench" + std::to_string(serial++);
    auto* scheduler = dynamic_cast<Scheduler*>(
        ShapeDefinitions::getInstance()->getFactory("scheduler")->createInstance(user, "Main"));
    scheduler->setEventHandler([](const std::string&, const std::string&) {});
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    geode->addDrawable(scheduler->asDrawable());
    // Past events: fired once, walked over in every later frame.
    for (int i = 0; i < state.range(0); ++i)
        Variables::getInstance()->add(nullptr, user + ":Main.add", "0.001 print x", PARAM_SCHEDULE);
    Variables::getInstance()->add(nullptr, user + ":Main.play", "1", PARAM_NUMBER);
    ShapeUpdates::getInstance()->dirty();

    osg::ref_ptr<osg::FrameStamp> stamp = new osg::FrameStamp();
    osgUtil::UpdateVisitor visitor;
    visitor.setFrameStamp(stamp.get());
    double time = 1.0;
    for (auto _ : state) {
        time += 1.0 / 60;
        stamp->setSimulationTime(time);
        geode->accept(visitor);
    }
    geode->ref();  // the scheduler stays bound to its values: keep it
}
BENCHMARK(schedulerFrame)->Arg(0)->Arg(100)->Arg(1000);

class Textured : public GeometryShape {
public:
    void dirty() override {}
    std::string getType() override { return "textured"; }
    void update() override {}
};

// A redraw of a textured shape whose image name stays the same reads nothing.
void unchangedTextureName(benchmark::State& state)
{
    osg::ref_ptr<osg::Image> image = new osg::Image();
    image->allocateImage(4, 4, 1, GL_RGB, GL_UNSIGNED_BYTE);
    const std::string dir = "/tmp";
    const std::string name = "zolvi_bench_texture_" + std::to_string(getpid()) + ".png";
    osgDB::writeImageFile(*image, dir + "/" + name);
    Config::getInstance()->add("TextureDir", dir);
    osg::ref_ptr<Textured> shape = new Textured();
    shape->setTextureImage(name);
    for (auto _ : state)
        shape->setTextureImage(name);
    std::remove((dir + "/" + name).c_str());
}
BENCHMARK(unchangedTextureName);

}  // namespace

BENCHMARK_MAIN();

// Redraw cost: one dirty redraw of a shape made by its factory (mark it
// dirty, then the update its callback runs: parameter reads, geometry,
// colour, texture and shader rules), against writing the same arrays
// directly in plain OpenSceneGraph. A type whose shape is not in this
// build is skipped.

#include "BareCube.h"
#include "Config.h"
#include "Definitions.h"
#include "MainNode.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "BasicShape.h"

#include <benchmark/benchmark.h>

#include <osg/Geode>
#include <osg/Matrixd>
#include <osgText/Text>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// The calls that are measured, after the warm-up: about 50 ms of them, or
// exactly ZOLVI_REDRAW_CALLS when that is set. A count of instructions
// takes only these: valgrind --tool=callgrind --toggle-collect='*measuredCalls*'
// with ZOLVI_REDRAW_CALLS set, then the cost of each work lambda per call.
[[gnu::noinline]] std::chrono::nanoseconds measuredCalls(const std::function<void()>& work, int& calls)
{
    static const char* fixed = std::getenv("ZOLVI_REDRAW_CALLS");
    const int fixedCalls = fixed != nullptr ? std::atoi(fixed) : 0;
    const auto start = Clock::now();
    std::chrono::nanoseconds elapsed{};
    while (fixedCalls > 0 ? calls < fixedCalls : elapsed < std::chrono::milliseconds(50)) {
        for (int i = 0; i < 10; ++i)
            work();
        calls += 10;
        elapsed = Clock::now() - start;
    }
    return elapsed;
}

// Nanoseconds per call of work, after ten calls of warm-up.
double nanosecondsPerCall(const std::function<void()>& work)
{
    for (int i = 0; i < 10; ++i)
        work();
    int calls = 0;
    const std::chrono::nanoseconds elapsed = measuredCalls(work, calls);
    return static_cast<double>(elapsed.count()) / calls;
}

// A shape of the type made by its factory, in a geode of its own under a
// scene root, as the viewer holds it (a cube then writes the cube batch
// too); null when this build has no factory for it.
BasicShape* makeShape(const std::string& typeWord)
{
    static bool defined = (createShapeDefs(), Config::getInstance()->add("Font", "/usr/share/fonts/truetype/dejavu/"),
                           true);
    (void)defined;
    ShapeFactory* factory = ShapeDefinitions::getInstance()->getFactory(typeWord);
    if (factory == nullptr)
        return nullptr;
    static int serial = 0;
    BasicShape* shape = factory->createInstance("redraw", typeWord + std::to_string(serial++));
    // Shapes stay bound to their values: the root keeps them for the process.
    static MainNode* root = [] {
        auto* made = new MainNode();
        made->ref();
        return made;
    }();
    osg::Geode* geode = new osg::Geode();
    geode->addDrawable(shape->asDrawable());
    root->addChild(geode);
    return shape;
}

// The floor of a sphere's redraw: its 50 x 50 grid of placed points and
// normals, copied into the quads of neighbouring grid points.
struct BareSphere {
    static constexpr unsigned rings = 50, sectors = 50;
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry();
    osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array(4 * (rings - 1) * (sectors - 1));
    osg::ref_ptr<osg::Vec3Array> normals = new osg::Vec3Array(4 * (rings - 1) * (sectors - 1));
    osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array(1);
    osg::ref_ptr<osg::Vec2Array> texCoords = new osg::Vec2Array(4 * (rings - 1) * (sectors - 1));
    std::vector<osg::Vec3f> points = std::vector<osg::Vec3f>(rings * sectors);
    std::vector<osg::Vec3f> gridNormals = std::vector<osg::Vec3f>(rings * sectors);

    BareSphere()
    {
        geometry->setVertexArray(vertices.get());
        geometry->setNormalArray(normals.get(), osg::Array::BIND_PER_VERTEX);
        geometry->setColorArray(colours.get(), osg::Array::BIND_OVERALL);
        geometry->setTexCoordArray(0, texCoords.get(), osg::Array::BIND_PER_VERTEX);
        geometry->addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, vertices->size()));
    }

    void write(const osg::Vec3f& centre, float radius)
    {
        const osg::Matrixd rotation, tilt, translation = osg::Matrixd::translate(osg::Vec3d(centre));
        const double dR = 1.0 / (rings - 1), dS = 1.0 / (sectors - 1);
        for (unsigned r = 0; r < rings; ++r)
            for (unsigned s = 0; s < sectors; ++s) {
                const double theta = r * M_PI * dR, phi = s * 2 * M_PI * dS;
                const osg::Vec3f n(static_cast<float>(std::cos(phi) * std::sin(theta)),
                                   static_cast<float>(std::sin(phi) * std::sin(theta)),
                                   static_cast<float>(std::sin(theta - M_PI_2)));
                points[r * sectors + s] = ((osg::Vec3f(n * radius) * rotation) * tilt) * translation;
                gridNormals[r * sectors + s] = (n * rotation) * tilt;
            }
        unsigned k = 0;
        for (unsigned r = 0; r + 1 < rings; ++r)
            for (unsigned s = 0; s + 1 < sectors; ++s) {
                const unsigned corners[4] = {r * sectors + s, r * sectors + s + 1, (r + 1) * sectors + s + 1,
                                             (r + 1) * sectors + s};
                for (unsigned corner : corners) {
                    (*vertices)[k] = points[corner];
                    (*normals)[k++] = gridNormals[corner];
                }
            }
        (*colours)[0].set(1, 1, 1, 1);
        vertices->dirty();
        normals->dirty();
        colours->dirty();
        texCoords->dirty();
        geometry->dirtyBound();
    }
};

void Redraw(benchmark::State& state, const std::string& typeWord, const std::function<void()>& floor)
{
    BasicShape* shape = makeShape(typeWord);
    if (shape == nullptr) {
        state.SkipWithError(("no " + typeWord + " shape in this build").c_str());
        return;
    }
    double viewer = 0, bare = 0;
    for (auto _ : state) {
        viewer = nanosecondsPerCall([&] {
            shape->dirty();
            shape->update();
        });
        bare = nanosecondsPerCall(floor);
    }
    state.counters["redraw_us"] = viewer / 1000;
    state.counters["redraw_us_floor"] = bare / 1000;
    state.counters["redraw_us_ratio"] = bare > 0 ? viewer / bare : 0;
}

void RedrawCube(benchmark::State& state)
{
    osg::ref_ptr<osg::Geode> bare = scale::makeBareCube(osg::Vec3f(), 1);
    osg::Geometry& geometry = *bare->getDrawable(0)->asGeometry();
    Redraw(state, "cube", [&] { scale::writeBareCube(geometry, osg::Vec3f(), 1); });
}
BENCHMARK(RedrawCube)->Iterations(1);

void RedrawSphere(benchmark::State& state)
{
    BareSphere bare;
    Redraw(state, "sphere", [&] { bare.write(osg::Vec3f(), 1); });
}
BENCHMARK(RedrawSphere)->Iterations(1);

// The floor of a text's redraw: the same calls on a plain text, with the
// text's defaults (an empty label of size 1 at the origin, in white).
void RedrawText(benchmark::State& state)
{
    osg::ref_ptr<osgText::Text> bare = new osgText::Text();
    bare->setFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    Redraw(state, "text", [&] {
        bare->setFontResolution(1, 1);
        bare->setText("", osgText::String::ENCODING_UTF8);
        bare->setCharacterSize(1);
        bare->setPosition(osg::Vec3f());
        bare->setRotation(osg::Quat());
        bare->setColor(osg::Vec4f(1, 1, 1, 1));
        bare->dirtyBound();
        bare->getOrCreateStateSet()->setRenderingHint(osg::StateSet::DEFAULT_BIN);
    });
}
BENCHMARK(RedrawText)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();

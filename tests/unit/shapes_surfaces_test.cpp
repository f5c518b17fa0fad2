// The square, rectangle, circle, sphere and line: the arrays a redraw
// writes, checked against the formulas of each shape's geometry, and their
// colour bins, widths, textures and shader programs.

#include "CircleShape.h"
#include "Config.h"
#include "LineShape.h"
#include "RectangleShape.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "SphereShape.h"
#include "SquareShape.h"
#include "Variables.h"
#include "shapes_test_files.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/LineWidth>
#include <osg/Program>
#include <osg/Texture2D>
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

// A shape made by its type's factory for a user of its own, redrawn from
// the values the test stores.
class MadeShape {
public:
    explicit MadeShape(const std::string& typeWord) : user(freshUser(typeWord))
    {
        ensureShapeDefs();
        shape = ShapeDefinitions::getInstance()->getFactory(typeWord)->createInstance(user, "s");
        keepForever(shape);
    }

    void set(const std::string& parameter, const std::string& value, ParamType kind = PARAM_NUMBER)
    {
        Variables::getInstance()->add(nullptr, user + ":s." + parameter, value, kind);
    }
    void set(const Settings& settings)
    {
        for (const auto& setting : settings)
            set(setting.first, setting.second);
    }
    void redraw()
    {
        shape->dirty();
        shape->update();
    }

    osg::Geometry& geometry() { return *shape->asDrawable()->asGeometry(); }
    const osg::Vec3Array& vertices() { return *static_cast<osg::Vec3Array*>(geometry().getVertexArray()); }
    const osg::Vec3Array& normals() { return *static_cast<osg::Vec3Array*>(geometry().getNormalArray()); }
    const osg::Vec4Array& colours() { return *static_cast<osg::Vec4Array*>(geometry().getColorArray()); }
    const osg::Vec2Array& texCoords() { return *static_cast<osg::Vec2Array*>(geometry().getTexCoordArray(0)); }
    osg::StateSet& stateSet() { return *geometry().getOrCreateStateSet(); }
    osg::StateSet::RenderingHint bin() { return osg::StateSet::RenderingHint(stateSet().getRenderingHint()); }
    osg::Program* program() { return dynamic_cast<osg::Program*>(stateSet().getAttribute(osg::StateAttribute::PROGRAM)); }
    osg::Texture2D* texture()
    {
        return dynamic_cast<osg::Texture2D*>(stateSet().getTextureAttribute(0, osg::StateAttribute::TEXTURE));
    }

    std::string user;
    BasicShape* shape = nullptr;
};

void expectNear(const osg::Vec3f& actual, const osg::Vec3f& expected, float tolerance, const std::string& what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " component " << i << ": " << actual[0] << ", "
                                                       << actual[1] << ", " << actual[2];
}

// Every array a binding draws from has the entries it needs.
void expectBindingsMatch(osg::Geometry& geometry)
{
    const unsigned vertices = geometry.getVertexArray()->getNumElements();
    auto expectSize = [&](const osg::Array* array, const char* what) {
        if (array == nullptr)
            return;
        switch (array->getBinding()) {
        case osg::Array::BIND_OVERALL:
            EXPECT_EQ(array->getNumElements(), 1u) << what;
            break;
        case osg::Array::BIND_PER_PRIMITIVE_SET:
            EXPECT_EQ(array->getNumElements(), geometry.getNumPrimitiveSets()) << what;
            break;
        case osg::Array::BIND_PER_VERTEX:
            EXPECT_EQ(array->getNumElements(), vertices) << what;
            break;
        default:
            ADD_FAILURE() << what << " has no binding";
        }
    };
    expectSize(geometry.getNormalArray(), "normals");
    expectSize(geometry.getColorArray(), "colours");
    expectSize(geometry.getTexCoordArray(0), "texture coordinates");
    ASSERT_EQ(geometry.getNumPrimitiveSets(), 1u);
    EXPECT_EQ(geometry.getPrimitiveSet(0)->getNumIndices(), vertices);
}

// --- The flat quads: square and rectangle -------------------------------

struct QuadCase {
    const char* name;
    const char* typeWord;
    Settings settings;
    osg::Vec3f corners[4];
    osg::Vec3f normal;
};
void PrintTo(const QuadCase& c, std::ostream* os) { *os << c.name; }

class ShapesFlatQuad : public testing::TestWithParam<QuadCase> {};

TEST_P(ShapesFlatQuad, CornersAndNormalFollowThePlacement)
{
    const QuadCase& c = GetParam();
    MadeShape quad(c.typeWord);
    quad.set(c.settings);
    quad.redraw();
    ASSERT_EQ(quad.vertices().size(), 4u);
    for (int corner = 0; corner < 4; ++corner)
        expectNear(quad.vertices()[corner], c.corners[corner], 1e-4f, "corner " + std::to_string(corner));
    expectNear(quad.normals()[0], c.normal, 1e-6f, "normal");
    expectBindingsMatch(quad.geometry());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesFlatQuad,
    testing::Values(
        QuadCase{"SquareDefaults", "square", {},
                 {{-0.5f, 0, -0.5f}, {0.5f, 0, -0.5f}, {0.5f, 0, 0.5f}, {-0.5f, 0, 0.5f}}, {0, -1, 0}},
        QuadCase{"SquareSizedAndMoved", "square", {{"size", "2"}, {"x", "1"}, {"y", "2"}, {"z", "3"}},
                 {{0, 2, 2}, {2, 2, 2}, {2, 2, 4}, {0, 2, 4}}, {0, -1, 0}},
        QuadCase{"SquareNegativeSizeTurnsHalfInItsPlane", "square", {{"size", "-2"}},
                 {{1, 0, 1}, {-1, 0, 1}, {-1, 0, -1}, {1, 0, -1}}, {0, -1, 0}},
        QuadCase{"SquareZeroAxesTurnNothing", "square", {{"rot", "90"}, {"tilt", "45"}},
                 {{-0.5f, 0, -0.5f}, {0.5f, 0, -0.5f}, {0.5f, 0, 0.5f}, {-0.5f, 0, 0.5f}}, {0, -1, 0}},
        QuadCase{"SquareRotatedAboutZ", "square", {{"size", "2"}, {"rot", "90"}, {"rotz", "1"}},
                 {{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}}, {1, 0, 0}},
        // Turned about z, then tilted about the world's y, then moved.
        QuadCase{"SquareRotatedTiltedAndMoved", "square",
                 {{"size", "2"}, {"rot", "90"}, {"rotz", "1"}, {"tilt", "90"}, {"tilty", "1"},
                  {"x", "10"}, {"y", "20"}, {"z", "30"}},
                 {{9, 19, 30}, {9, 21, 30}, {11, 21, 30}, {11, 19, 30}}, {0, 0, -1}},
        QuadCase{"RectangleDefaults", "rectangle", {},
                 {{-0.5f, 0, -0.5f}, {0.5f, 0, -0.5f}, {0.5f, 0, 0.5f}, {-0.5f, 0, 0.5f}}, {0, -1, 0}},
        QuadCase{"RectangleWidthAndHeight", "rectangle", {{"width", "2"}, {"height", "1"}, {"x", "3"}},
                 {{2, 0, -0.5f}, {4, 0, -0.5f}, {4, 0, 0.5f}, {2, 0, 0.5f}}, {0, -1, 0}},
        QuadCase{"RectangleRotatedAboutZ", "rectangle", {{"rot", "90"}, {"rotz", "1"}},
                 {{0, -0.5f, -0.5f}, {0, 0.5f, -0.5f}, {0, 0.5f, 0.5f}, {0, -0.5f, 0.5f}}, {1, 0, 0}},
        QuadCase{"RectangleNegativeHeightMirrors", "rectangle", {{"height", "-4"}},
                 {{-0.5f, 0, 2}, {0.5f, 0, 2}, {0.5f, 0, -2}, {-0.5f, 0, -2}}, {0, -1, 0}}),
    [](const testing::TestParamInfo<QuadCase>& info) { return std::string(info.param.name); });

TEST(ShapesFlatQuadColour, OneColourChoosesTheBinAndCornersFollowTheirParameters)
{
    for (const char* typeWord : {"square", "rectangle"}) {
        SCOPED_TRACE(typeWord);
        MadeShape quad(typeWord);
        quad.redraw();
        EXPECT_EQ(quad.colours()[0], osg::Vec4f(1, 1, 1, 1));
        EXPECT_EQ(quad.bin(), osg::StateSet::DEFAULT_BIN);
        const osg::Vec2f defaults[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(quad.texCoords()[corner], defaults[corner]) << corner;

        quad.set({{"r", "0.25"}, {"a", "0.5"}, {"t1s", "0.5"}, {"t1t", "0.75"}});
        quad.redraw();
        EXPECT_EQ(quad.colours()[0], osg::Vec4f(0.25f, 1, 1, 0.5f));
        EXPECT_EQ(quad.bin(), osg::StateSet::TRANSPARENT_BIN);
        EXPECT_EQ(quad.texCoords()[0], osg::Vec2f(0.5f, 0.75f));
        EXPECT_EQ(quad.texCoords()[1], defaults[1]) << "only corner 0 moves";

        quad.set("a", "1");
        quad.redraw();
        EXPECT_EQ(quad.bin(), osg::StateSet::DEFAULT_BIN);
    }
}

// --- The circle and the sphere ---------------------------------------------

// A round shape's placement and radius.
struct RoundCase {
    const char* name;
    Placement placement;
    float radius;
};
void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }

// Stores the case as the shape's parameters.
void storeRound(MadeShape& shape, const RoundCase& c)
{
    auto text = [](float value) { return std::to_string(value); };
    const Placement& p = c.placement;
    shape.set({{"x", text(p.position.x())}, {"y", text(p.position.y())}, {"z", text(p.position.z())},
               {"rot", text(p.rot)}, {"rotx", text(p.rotAxis.x())}, {"roty", text(p.rotAxis.y())},
               {"rotz", text(p.rotAxis.z())}, {"tilt", text(p.tilt)}, {"tiltx", text(p.tiltAxis.x())},
               {"tilty", text(p.tiltAxis.y())}, {"tiltz", text(p.tiltAxis.z())}, {"radius", text(c.radius)}});
}

class ShapesRound : public testing::TestWithParam<RoundCase> {
protected:
    // A shape of the type redrawn with the case's placement and radius.
    MadeShape placed(const char* typeWord)
    {
        MadeShape shape(typeWord);
        storeRound(shape, GetParam());
        shape.redraw();
        return shape;
    }
    const PlacementTransform transform{GetParam().placement};
};

// Rim point i lies at the angle -2 pi i / 40 from +x (towards -z) before
// it is placed; point 41 repeats point 1 and closes the fan.
TEST_P(ShapesRound, CircleRimFollowsTheFormula)
{
    const RoundCase& c = GetParam();
    MadeShape circle = placed("circle");
    ASSERT_EQ(circle.vertices().size(), 42u);
    expectNear(circle.vertices()[0], c.placement.position, 0.0f, "centre");
    for (int i = 1; i <= 41; ++i) {
        const double angle = -2.0 * M_PI * i / 40.0;
        const osg::Vec3f unplaced(c.radius * std::cos(angle), 0.0f, c.radius * std::sin(angle));
        expectNear(circle.vertices()[i], transform.point(unplaced), 2e-5f * (1.0f + std::fabs(c.radius)),
                   "rim point " + std::to_string(i));
    }
    expectNear(circle.vertices()[41], circle.vertices()[1], 3e-7f * std::fabs(c.radius) + 1e-5f, "closing point");
    expectNear(circle.normals()[0], transform.normal({0, -1, 0}), 1e-6f, "normal");
    expectBindingsMatch(circle.geometry());
}

// Grid point (r, s) lies in the direction (cos phi sin theta, sin phi sin
// theta, -cos theta), theta = r pi / 49 and phi = 2 pi s / 49, at the radius
// from the centre; its normal is that direction, turned with the point. The
// quad of cell (r, s) runs through the grid points (r, s), (r, s + 1),
// (r + 1, s + 1) and (r + 1, s).
TEST_P(ShapesRound, SphereCellsNextToThePolesAndTheEquatorFollowTheFormula)
{
    const RoundCase& c = GetParam();
    MadeShape sphere = placed("sphere");
    ASSERT_EQ(sphere.vertices().size(), 9604u);
    const unsigned cells = SphereShape::sectors - 1;
    const unsigned cornerSteps[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (unsigned row : {0u, 1u, 24u, cells - 1})
        for (unsigned column = 0; column < cells; ++column)
            for (unsigned corner = 0; corner < 4; ++corner) {
                const unsigned r = row + cornerSteps[corner][0];
                const unsigned s = column + cornerSteps[corner][1];
                const double theta = r * M_PI / 49.0;
                const double phi = s * 2.0 * M_PI / 49.0;
                const osg::Vec3f unit(std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta),
                                      -std::cos(theta));
                const unsigned index = 4 * (row * cells + column) + corner;
                const std::string where = "grid point (" + std::to_string(r) + ", " + std::to_string(s) + ")";
                expectNear(sphere.vertices()[index], transform.point(unit * c.radius),
                           1e-5f * (1.0f + std::fabs(c.radius)), where);
                expectNear(sphere.normals()[index], transform.normal(unit), 1e-5f, where + " normal");
            }
    expectBindingsMatch(sphere.geometry());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesRound,
    testing::Values(RoundCase{"Defaults", Placement(), 1.0f},
                    RoundCase{"MovedAndLarge", turned(0, {0, 0, 0}, 0, {0, 0, 0}, {5, 0, -2}), 300.0f},
                    RoundCase{"NegativeRadius", Placement(), -2.0f},
                    RoundCase{"ZeroRadius", turned(0, {0, 0, 0}, 0, {0, 0, 0}, {1, 2, 3}), 0.0f},
                    RoundCase{"RotatedAboutZ", turned(90, {0, 0, 1}), 2.0f},
                    RoundCase{"RotatedTiltedAndMoved", turned(90, {0, 0, 1}, 30, {1, 0, 0}, {0, 7, 0}), 200.0f}),
    [](const testing::TestParamInfo<RoundCase>& info) { return std::string(info.param.name); });

TEST(ShapesCircleRim, QuarterPointsOfTheDefaultDisc)
{
    MadeShape circle("circle");
    circle.redraw();
    const struct {
        int index;
        osg::Vec3f point;
    } rim[] = {{0, {0, 0, 0}},          {1, {0.98769f, 0, -0.15643f}}, {10, {0, 0, -1}}, {20, {-1, 0, 0}},
               {30, {0, 0, 1}},         {40, {1, 0, 0}},               {41, {0.98769f, 0, -0.15643f}}};
    for (const auto& point : rim)
        expectNear(circle.vertices()[point.index], point.point, 1e-5f, "point " + std::to_string(point.index));
}

TEST(ShapesCircleColour, CentreAndRimColoursAndTheirBin)
{
    MadeShape circle("circle");
    circle.set({{"r1", "1"}, {"g1", "0"}, {"b1", "0"}, {"r2", "0"}, {"g2", "0"}, {"b2", "1"}});
    circle.redraw();
    ASSERT_EQ(circle.colours().size(), 42u);
    EXPECT_EQ(circle.colours()[0], osg::Vec4f(1, 0, 0, 1));
    for (int i = 1; i <= 41; ++i)
        EXPECT_EQ(circle.colours()[i], osg::Vec4f(0, 0, 1, 1)) << i;
    EXPECT_EQ(circle.bin(), osg::StateSet::DEFAULT_BIN);

    const struct {
        const char *a1, *a2;
        osg::StateSet::RenderingHint bin;
    } alphas[] = {{"1", "0.5", osg::StateSet::TRANSPARENT_BIN},
                  {"0.5", "1", osg::StateSet::TRANSPARENT_BIN},
                  {"1", "1", osg::StateSet::DEFAULT_BIN}};
    for (const auto& c : alphas) {
        circle.set({{"a1", c.a1}, {"a2", c.a2}});
        circle.redraw();
        EXPECT_EQ(circle.bin(), c.bin) << c.a1 << " " << c.a2;
    }
}

TEST(ShapesSphereGrid, FirstCellStartsAtTheLowerPoleAndCoordinatesStayPut)
{
    MadeShape sphere("sphere");
    const std::vector<osg::Vec2f> before(sphere.texCoords().begin(), sphere.texCoords().end());
    sphere.redraw();
    expectNear(sphere.vertices()[0], {0, 0, -1}, 0.0f, "pole");
    expectNear(sphere.vertices()[1], {0, 0, -1}, 0.0f, "pole again");
    const double theta = M_PI / 49.0;
    const double phi = 2.0 * M_PI / 49.0;
    expectNear(sphere.vertices()[2], {float(std::cos(phi) * std::sin(theta)), float(std::sin(phi) * std::sin(theta)),
                                      float(-std::cos(theta))}, 1e-6f, "row 1, column 1");
    expectNear(sphere.vertices()[3], {float(std::sin(theta)), 0, float(-std::cos(theta))}, 1e-6f, "row 1, column 0");

    const float step = 1.0f / 49.0f;
    const struct {
        unsigned index;
        osg::Vec2f coordinate;
    } coordinates[] = {{0, {1, 0}},
                       {1, {48 * step, 0}},
                       {4 * 2400 + 0, {step, 48 * step}},
                       {4 * 2400 + 1, {0, 48 * step}},
                       {4 * 2400 + 2, {0, 1}},
                       {4 * 2400 + 3, {step, 1}}};
    for (const auto& c : coordinates) {
        EXPECT_NEAR(sphere.texCoords()[c.index].x(), c.coordinate.x(), 1e-6f) << c.index;
        EXPECT_NEAR(sphere.texCoords()[c.index].y(), c.coordinate.y(), 1e-6f) << c.index;
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), sphere.texCoords().begin())) << "made once";
}

TEST(ShapesSphereColour, OneColourChoosesTheBin)
{
    MadeShape sphere("sphere");
    sphere.redraw();
    EXPECT_EQ(sphere.colours()[0], osg::Vec4f(1, 1, 1, 1));
    EXPECT_EQ(sphere.bin(), osg::StateSet::DEFAULT_BIN);
    sphere.set("a", "0.5");
    sphere.redraw();
    EXPECT_EQ(sphere.bin(), osg::StateSet::TRANSPARENT_BIN);
}

// --- Textures and shaders -------------------------------------------------

class ShapesFiles : public testing::Test {
protected:
    void SetUp() override
    {
        dir.writePng("wood.png", 2, 2, 100);
        dir.writeText("glow.vert", "void main() { gl_Position = ftransform(); }\n");
        dir.writeText("glow.frag", "void main() { gl_FragColor = vec4(1.0); }\n");
        saved = {Config::getInstance()->get("TextureDir"), Config::getInstance()->get("Shader")};
        Config::getInstance()->add("TextureDir", dir.path);
        Config::getInstance()->add("Shader", dir.path + "/");
    }
    void TearDown() override
    {
        Config::getInstance()->add("TextureDir", saved.first);
        Config::getInstance()->add("Shader", saved.second);
    }

    ShapesTempDir dir;
    std::pair<std::string, std::string> saved;
};

TEST_F(ShapesFiles, ShaderProgramIsBuiltOnceForUnchangedFiles)
{
    for (const char* typeWord : {"square", "circle", "sphere"}) {
        SCOPED_TRACE(typeWord);
        MadeShape shape(typeWord);
        shape.redraw();
        ASSERT_NE(shape.program(), nullptr);
        EXPECT_EQ(shape.program()->getNumShaders(), 0u) << "None draws without shaders";
        EXPECT_FALSE(shape.stateSet().getAttributePair(osg::StateAttribute::PROGRAM)->second &
                     osg::StateAttribute::ON);

        shape.set("shader", "glow", PARAM_STRING);
        shape.redraw();
        osg::ref_ptr<osg::Program> built = shape.program();
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->getNumShaders(), 2u);
        shape.set("x", "5");
        shape.redraw();
        EXPECT_EQ(shape.program(), built.get()) << "a redraw keeps the program";
    }
}

TEST_F(ShapesFiles, TexturesOfSquareRectangleAndSphere)
{
    for (const char* typeWord : {"square", "rectangle", "sphere"}) {
        SCOPED_TRACE(typeWord);
        MadeShape shape(typeWord);
        shape.redraw();
        EXPECT_EQ(shape.texture(), nullptr);
        shape.set("texture", "wood.png", PARAM_STRING);
        shape.redraw();
        ASSERT_NE(shape.texture(), nullptr);
        EXPECT_EQ(shape.texture()->getName(), "wood.png");
    }

    MadeShape sphere("sphere");
    sphere.set("texture", "wood.png", PARAM_STRING);
    sphere.redraw();
    for (const char* name : {"None", ""}) {
        sphere.set("texture", name, PARAM_STRING);
        sphere.redraw();
        ASSERT_NE(sphere.texture(), nullptr);
        EXPECT_TRUE(sphere.stateSet().getTextureMode(0, GL_TEXTURE_2D) & osg::StateAttribute::ON)
            << "'" << name << "' keeps the sphere's image";
    }
}

// --- The line -----------------------------------------------------------

TEST(ShapesLine, EndPointsAsGivenWithTheirColours)
{
    MadeShape line("line");
    line.redraw();
    EXPECT_EQ(line.vertices()[0], osg::Vec3f(0, 0, 0));
    EXPECT_EQ(line.vertices()[1], osg::Vec3f(0, 0, 0));
    EXPECT_EQ(line.colours()[0], osg::Vec4f(1, 1, 1, 1));
    EXPECT_EQ(line.bin(), osg::StateSet::DEFAULT_BIN);

    line.set({{"x1", "1"}, {"y1", "2"}, {"z1", "3"}, {"x2", "-1"}, {"y2", "0"}, {"z2", "5"}, {"g1", "0"}, {"a2", "0.5"}});
    line.redraw();
    EXPECT_EQ(line.vertices()[0], osg::Vec3f(1, 2, 3));
    EXPECT_EQ(line.vertices()[1], osg::Vec3f(-1, 0, 5));
    EXPECT_EQ(line.colours()[0], osg::Vec4f(1, 0, 1, 1));
    EXPECT_EQ(line.colours()[1], osg::Vec4f(1, 1, 1, 0.5f));
    EXPECT_EQ(line.bin(), osg::StateSet::TRANSPARENT_BIN);
    EXPECT_FALSE(line.stateSet().getMode(GL_LIGHTING) & osg::StateAttribute::ON) << "drawn unlit";
    expectBindingsMatch(line.geometry());
}

TEST(ShapesLine, OnlyPositiveFiniteWidthsAreApplied)
{
    MadeShape line("line");
    auto width = [&] {
        auto* attribute = dynamic_cast<osg::LineWidth*>(line.stateSet().getAttribute(osg::StateAttribute::LINEWIDTH));
        return attribute != nullptr ? attribute->getWidth() : -1.0f;
    };
    line.redraw();
    EXPECT_EQ(width(), 1.0f);
    const struct {
        const char* text;
        float shown;
    } widths[] = {{"4", 4.0f}, {"0", 4.0f}, {"-3", 4.0f}, {"0/0", 4.0f}, {"1/0", 4.0f}, {"-1/0", 4.0f}, {"2.5", 2.5f}};
    for (const auto& c : widths) {
        line.set("width", c.text);
        line.redraw();
        EXPECT_EQ(width(), c.shown) << "width " << c.text;
    }
}

}  // namespace

#include "ShaderProgram.h"
#include "ShapeRules.h"
#include "shapes_test_files.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Array>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <unistd.h>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

void expectNear(const osg::Vec3f& actual, const osg::Vec3f& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "component " << i;
}

struct PlacementCase {
    const char* name;
    Placement placement;
    osg::Vec3f point, placedPoint;
    osg::Vec3f normal, turnedNormal;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class ShapesPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(ShapesPlacement, PlacesPointsAndTurnsNormals)
{
    const PlacementCase& c = GetParam();
    const PlacementTransform transform(c.placement);
    expectNear(transform.point(c.point), c.placedPoint);
    expectNear(transform.pointPrecise(osg::Vec3d(c.point)), c.placedPoint);
    expectNear(transform.normal(c.normal), c.turnedNormal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesPlacement,
    testing::Values(
        PlacementCase{"Defaults", Placement(), {1, 2, 3}, {1, 2, 3}, {0, -1, 0}, {0, -1, 0}},
        PlacementCase{"ZeroAxesTurnNothing", turned(90, {0, 0, 0}, 45, {0, 0, 0}), {1, 0, 0}, {1, 0, 0},
                      {0, -1, 0}, {0, -1, 0}},
        PlacementCase{"RotCounterClockwiseAboutZ", turned(90, {0, 0, 1}), {1, 0, 0}, {0, 1, 0}, {0, -1, 0},
                      {1, 0, 0}},
        PlacementCase{"AxisLengthDoesNotCount", turned(90, {0, 0, 5}), {1, 0, 0}, {0, 1, 0}, {1, 0, 0},
                      {0, 1, 0}},
        PlacementCase{"TiltOnly", turned(0, {0, 0, 0}, 90, {1, 0, 0}), {0, 1, 0}, {0, 0, 1}, {0, -1, 0},
                      {0, 0, -1}},
        PlacementCase{"RotThenTiltAboutWorldAxes", turned(90, {0, 0, 1}, 90, {1, 0, 0}), {1, 0, 0},
                      {0, 0, 1}, {1, 0, 0}, {0, 0, 1}},
        PlacementCase{"MoveChangesPointsNotNormals", turned(0, {0, 0, 0}, 0, {0, 0, 0}, {10, -20, 30}),
                      {1, 1, 1}, {11, -19, 31}, {0, 0, 1}, {0, 0, 1}},
        PlacementCase{"TurnAboutTheCentreThenMove", turned(90, {0, 0, 1}, 0, {0, 0, 0}, {100, 0, 0}),
                      {1, 0, 0}, {100, 1, 0}, {0, 1, 0}, {-1, 0, 0}},
        PlacementCase{"NegativeAngleTurnsBack", turned(-90, {0, 0, 1}), {0, 1, 0}, {1, 0, 0}, {0, 1, 0},
                      {1, 0, 0}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// A placement without turns moves finite points without the matrix
// products: the result must still be the products' own, bit for bit
// (zeros made positive, no rounding of its own), and anything not finite
// still goes through the products.
TEST(ShapesPlacementWithoutTurns, GivesTheMatrixProductsBitForBit)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float tiny = std::numeric_limits<float>::denorm_min();
    const Placement placements[] = {
        Placement(),
        turned(90, {0, 0, 0}, -45, {0, 0, 0}, {-0.0f, 0, 0}),
        turned(0, {0, 0, 1}, 0, {1, 1, 0}, {1e30f, -3.25f, 0.1f}),
        turned(nan, {0, 0, 0}, inf, {0, 0, 0}, {0.1f, 0.2f, 0.3f}),
        turned(0, {0, 0, 0}, 0, {0, 0, 0}, {inf, 0, 0}),
        turned(0, {0, 0, 0}, 0, {0, 0, 0}, {nan, 1, 2}),
    };
    const osg::Vec3f points[] = {{1, 2, 3},         {-0.0f, -0.0f, -0.0f}, {0.1f, -0.2f, 1e-8f},
                                 {tiny, -tiny, 0},  {3e38f, -3e38f, 1},    {inf, 0, 0},
                                 {nan, 1, 1},       {-0.0f, 0.0f, 16777217.0f}};
    auto sameBits = [](const osg::Vec3f& a, const osg::Vec3f& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    auto text = [](const osg::Vec3f& v) {
        return std::to_string(v.x()) + " " + std::to_string(v.y()) + " " + std::to_string(v.z()) +
               (std::signbit(v.x()) || std::signbit(v.y()) || std::signbit(v.z()) ? " (a sign bit)" : "");
    };
    for (const Placement& placement : placements) {
        const osg::Matrixd rotation = osg::Matrixd::rotate(turnAbout(placement.rot, placement.rotAxis));
        const osg::Matrixd tilt = osg::Matrixd::rotate(turnAbout(placement.tilt, placement.tiltAxis));
        const osg::Matrixd translation = osg::Matrixd::translate(osg::Vec3d(placement.position));
        ASSERT_TRUE(rotation.isIdentity() && tilt.isIdentity());
        const PlacementTransform transform(placement);
        for (const osg::Vec3f& p : points) {
            const osg::Vec3f turnedPoint = p * rotation;
            const osg::Vec3f tilted = turnedPoint * tilt;
            const osg::Vec3f point = tilted * translation;
            const osg::Vec3f precise(((osg::Vec3d(p) * rotation) * tilt) * translation);
            const osg::Vec3f turnedNormal = p * rotation;
            const osg::Vec3f normal = turnedNormal * tilt;
            const std::string where = text(p) + " at " + text(placement.position);
            EXPECT_TRUE(sameBits(transform.point(p), point)) << where << ": " << text(transform.point(p));
            EXPECT_TRUE(sameBits(transform.pointPrecise(osg::Vec3d(p)), precise)) << where;
            EXPECT_TRUE(sameBits(transform.normal(p), normal)) << where << ": " << text(transform.normal(p));
        }
    }
}

TEST(ShapesColourBin, AnyAlphaNotExactlyOneIsTransparent)
{
    const struct {
        std::initializer_list<float> alphas;
        osg::StateSet::RenderingHint bin;
    } cases[] = {
        {{1.0f}, osg::StateSet::DEFAULT_BIN},
        {{0.5f}, osg::StateSet::TRANSPARENT_BIN},
        {{1.5f}, osg::StateSet::TRANSPARENT_BIN},
        {{nan}, osg::StateSet::TRANSPARENT_BIN},
        {{0.999f}, osg::StateSet::TRANSPARENT_BIN},
        {{static_cast<float>(0.99999999)}, osg::StateSet::DEFAULT_BIN},  // 1.0 in single precision
        {{1.0f, 1.0f, 1.0f, 1.0f}, osg::StateSet::DEFAULT_BIN},
        {{1.0f, 0.5f}, osg::StateSet::TRANSPARENT_BIN},
        {{0.5f, 1.0f}, osg::StateSet::TRANSPARENT_BIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colourBin(c.alphas), c.bin) << "first alpha " << *c.alphas.begin();

    osg::ref_ptr<osg::StateSet> stateSet = new osg::StateSet();
    applyColourBin(*stateSet, {0.5f});
    EXPECT_EQ(stateSet->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
    applyColourBin(*stateSet, {1.0f});
    EXPECT_EQ(stateSet->getRenderingHint(), osg::StateSet::DEFAULT_BIN);
}

TEST(ShapesTextureCorners, RepeatEveryFourVertices)
{
    TextureCorners corners;
    EXPECT_EQ(corners.corner[0], osg::Vec2f(0, 0));
    EXPECT_EQ(corners.corner[1], osg::Vec2f(1, 0));
    EXPECT_EQ(corners.corner[2], osg::Vec2f(1, 1));
    EXPECT_EQ(corners.corner[3], osg::Vec2f(0, 1));
    corners.corner[0].set(0.25f, 0.75f);
    osg::ref_ptr<osg::Vec2Array> coordinates = new osg::Vec2Array(24);
    writeTextureCorners(*coordinates, corners);
    for (unsigned entry = 0; entry < 24; ++entry)
        EXPECT_EQ((*coordinates)[entry], corners.corner[entry % 4]) << "entry " << entry;
}

TEST(ShapesTextureCorners, ArraysOfAnyLengthRepeatThemFromTheStart)
{
    TextureCorners corners;
    corners.corner[2].set(-0.0f, 2.5f);
    for (unsigned count : {0u, 1u, 3u, 4u, 6u, 9u, 24u}) {
        osg::ref_ptr<osg::Vec2Array> coordinates = new osg::Vec2Array();
        coordinates->assign(count, osg::Vec2f(9, 9));
        writeTextureCorners(*coordinates, corners);
        ASSERT_EQ(coordinates->size(), count);
        for (unsigned entry = 0; entry < count; ++entry) {
            const osg::Vec2f& expected = corners.corner[entry % 4];
            EXPECT_EQ(std::signbit((*coordinates)[entry].x()), std::signbit(expected.x())) << count << "/" << entry;
            EXPECT_EQ((*coordinates)[entry], expected) << count << "/" << entry;
        }
    }
}

TEST(ShapesShaderPaths, JoinedAsTheyStandExceptNone)
{
    const struct {
        const char *dir, *name, *vertex, *fragment;
        bool refused;
    } cases[] = {
        {"/s/", "None", "None", "None", false},
        {"/s/", "toon", "/s/toon.vert", "/s/toon.frag", false},
        {"/s", "toon", "/stoon.vert", "/stoon.frag", false},
        {"/s/", "none", "/s/none.vert", "/s/none.frag", false},
        {"", "", ".vert", ".frag", false},
        {"/s/", "../etc/x", "/s/../etc/x.vert", "/s/../etc/x.frag", true},
        {"/s/", "a\nb", "/s/a\nb.vert", "/s/a\nb.frag", true},
    };
    for (const auto& c : cases) {
        const ShaderPaths paths = shaderPaths(c.dir, c.name);
        EXPECT_EQ(paths.vertex, c.vertex) << c.name;
        EXPECT_EQ(paths.fragment, c.fragment) << c.name;
        EXPECT_EQ(paths.refused, c.refused) << c.name;
    }
}

class ShapesShaderProgram : public testing::Test {
protected:
    osg::Program* program(osg::StateSet& state)
    {
        return dynamic_cast<osg::Program*>(state.getAttribute(osg::StateAttribute::PROGRAM));
    }

    ShapesTempDir dir;
    osg::ref_ptr<osg::StateSet> stateSet = new osg::StateSet();
    ShaderProgram shader;
};

TEST_F(ShapesShaderProgram, NoneAttachesTheSharedEmptyProgramSwitchedOff)
{
    shader.apply(*stateSet, shaderPaths(dir.path + "/", "None"));
    osg::Program* first = program(*stateSet);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getNumShaders(), 0u);  // an empty program draws without shaders

    osg::ref_ptr<osg::StateSet> other = new osg::StateSet();
    ShaderProgram otherShader;
    otherShader.apply(*other, shaderPaths("", "None"));
    EXPECT_EQ(program(*other), first);
}

TEST_F(ShapesShaderProgram, KeptUntilTheNameOrAFileChanges)
{
    dir.writeText("toon.vert", "void main() { gl_Position = ftransform(); }\n");
    dir.writeText("toon.frag", "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
    const std::string folder = dir.path + "/";

    shader.apply(*stateSet, shaderPaths(folder, "toon"));
    osg::ref_ptr<osg::Program> first = program(*stateSet);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getNumShaders(), 2u);
    EXPECT_EQ(first->getShader(0)->getType(), osg::Shader::VERTEX);
    EXPECT_EQ(first->getShader(1)->getType(), osg::Shader::FRAGMENT);

    shader.apply(*stateSet, shaderPaths(folder, "toon"));
    EXPECT_EQ(program(*stateSet), first.get()) << "unchanged files: same program";

    dir.writeText("toon.frag", "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n// edited\n");
    shader.apply(*stateSet, shaderPaths(folder, "toon"));
    ASSERT_NE(program(*stateSet), first.get()) << "an edited file builds a new program";
    EXPECT_NE(program(*stateSet)->getShader(1)->getShaderSource().find("edited"), std::string::npos);

    shader.apply(*stateSet, shaderPaths(folder, "None"));
    EXPECT_EQ(program(*stateSet)->getNumShaders(), 0u);
    shader.apply(*stateSet, shaderPaths(folder, "toon"));
    EXPECT_EQ(program(*stateSet)->getNumShaders(), 2u) << "back from None";
}

TEST_F(ShapesShaderProgram, MissingOrRefusedFilesGiveAProgramWithoutThem)
{
    dir.writeText("half.vert", "void main() { gl_Position = ftransform(); }\n");
    dir.writeText("x.vert", "void main() { gl_Position = ftransform(); }\n");
    const std::string folder = dir.path + "/";
    // Each missing or refused file is named once on standard error when the
    // program is built; applying the same name again writes nothing more.
    const struct {
        const char* name;
        unsigned shaders;
        std::string errors;
    } cases[] = {
        {"half", 1, "Error no shader found: " + folder + "half.frag\n"},
        {"absent", 0,
         "Error no shader found: " + folder + "absent.vert\nError no shader found: " + folder + "absent.frag\n"},
        {"../x", 0, "Error no shader found: " + folder + "../x.vert\nError no shader found: " + folder + "../x.frag\n"},
        {"half", 1, "Error no shader found: " + folder + "half.frag\n"},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        shader.apply(*stateSet, shaderPaths(folder, c.name));
        shader.apply(*stateSet, shaderPaths(folder, c.name));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.errors) << c.name;
        ASSERT_NE(program(*stateSet), nullptr) << c.name;
        EXPECT_EQ(program(*stateSet)->getNumShaders(), c.shaders) << c.name;
    }
}

}  // namespace

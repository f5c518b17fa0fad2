// The point, triangle and quad shapes: their arrays against the parameters
// they read, the face normal of the triangle and the quad, the point's size
// rule and its size output; and the camera object, which draws nothing.

#include "CameraObject.h"
#include "FaceNormal.h"
#include "PointShape.h"
#include "QuadShape.h"
#include "TriangleShape.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Array>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

const float inf = std::numeric_limits<float>::infinity();
const float nan = std::numeric_limits<float>::quiet_NaN();
const osg::Vec3f none(0, 0, 0);

void expectNear(const osg::Vec3f& actual, const osg::Vec3f& expected, const std::string& what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << what << ", component " << i;
}

// A shape of the family made by its class, its values set in its user's namespace.
class VertexShapeUnderTest {
public:
    VertexShapeUnderTest(const std::string& typeWord, const std::string& user) : user(user)
    {
        if (typeWord == "point")
            shape = new PointShape(user, "s");
        else if (typeWord == "triangle")
            shape = new TriangleShape(user, "s");
        else
            shape = new QuadShape(user, "s");
        keepForever(shape);
        geometry = dynamic_cast<osg::Geometry*>(shape->asDrawable());
    }
    void set(const std::string& parameter, const std::string& value)
    {
        Variables::getInstance()->add(nullptr, user + ":s." + parameter, value, PARAM_NUMBER);
    }
    void redraw()
    {
        shape->dirty();
        shape->update();
    }
    const osg::Vec3Array& vertices() const { return *static_cast<osg::Vec3Array*>(geometry->getVertexArray()); }
    const osg::Vec4Array& colours() const { return *static_cast<osg::Vec4Array*>(geometry->getColorArray()); }
    const osg::Vec3Array* normals() const { return static_cast<osg::Vec3Array*>(geometry->getNormalArray()); }
    osg::StateSet::RenderingHint bin() const
    {
        return static_cast<osg::StateSet::RenderingHint>(geometry->getStateSet()->getRenderingHint());
    }

    std::string user;
    BasicShape* shape = nullptr;
    osg::Geometry* geometry = nullptr;
};

struct ArrayCase {
    const char* name;
    const char* typeWord;
    std::vector<std::pair<const char*, const char*>> assignments;
    std::vector<osg::Vec3f> vertices;
    std::vector<osg::Vec4f> colours;
    GLenum mode;
    bool hasNormal;
    osg::Vec3f normal;  // when it has one
    osg::StateSet::RenderingHint bin;
};

void PrintTo(const ArrayCase& c, std::ostream* os) { *os << c.name; }

class ShapesVertexArrays : public testing::TestWithParam<ArrayCase> {
protected:
    void SetUp() override { ensureShapeDefs(); }
};

TEST_P(ShapesVertexArrays, FollowTheirParameters)
{
    const ArrayCase& c = GetParam();
    VertexShapeUnderTest shape(c.typeWord, freshUser(c.typeWord));
    EXPECT_EQ(shape.shape->getType(), c.typeWord);
    for (const auto& assignment : c.assignments)
        shape.set(assignment.first, assignment.second);
    shape.redraw();

    ASSERT_EQ(shape.vertices().size(), c.vertices.size());
    ASSERT_EQ(shape.colours().size(), c.colours.size());
    for (std::size_t k = 0; k < c.vertices.size(); ++k) {
        EXPECT_EQ(shape.vertices()[k], c.vertices[k]) << "vertex " << k;
        EXPECT_EQ(shape.colours()[k], c.colours[k]) << "colour " << k;
    }
    EXPECT_EQ(shape.geometry->getColorArray()->getBinding(), osg::Array::BIND_PER_VERTEX);
    ASSERT_EQ(shape.geometry->getNumPrimitiveSets(), 1u);
    const auto* primitives = dynamic_cast<osg::DrawArrays*>(shape.geometry->getPrimitiveSet(0));
    ASSERT_NE(primitives, nullptr);
    EXPECT_EQ(primitives->getMode(), c.mode);
    EXPECT_EQ(primitives->getFirst(), 0);
    EXPECT_EQ(static_cast<std::size_t>(primitives->getCount()), c.vertices.size());
    if (c.hasNormal) {
        ASSERT_NE(shape.normals(), nullptr);
        ASSERT_EQ(shape.normals()->size(), 1u);
        EXPECT_EQ(shape.normals()->getBinding(), osg::Array::BIND_PER_PRIMITIVE_SET);
        expectNear(shape.normals()->front(), c.normal, "normal");
    } else {
        EXPECT_EQ(shape.normals(), nullptr);
    }
    EXPECT_EQ(shape.bin(), c.bin);
}

const osg::Vec4f white(1, 1, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesVertexArrays,
    testing::Values(
        ArrayCase{"PointDefaultsWhiteAtTheOrigin", "point", {}, {none}, {white}, GL_POINTS, false, none,
                  osg::StateSet::DEFAULT_BIN},
        ArrayCase{"PointTakesItsParameters", "point",
                  {{"x", "1.5"}, {"y", "-2"}, {"z", "300"}, {"r", "0.25"}, {"g", "0"}, {"b", "0.5"}, {"a", "0.75"}},
                  {{1.5f, -2, 300}}, {{0.25f, 0, 0.5f, 0.75f}}, GL_POINTS, false, none,
                  osg::StateSet::TRANSPARENT_BIN},
        ArrayCase{"TriangleDefaultsAllOnTheOriginWithoutNormal", "triangle", {}, {none, none, none},
                  {white, white, white}, GL_TRIANGLES, true, none, osg::StateSet::DEFAULT_BIN},
        ArrayCase{"TriangleCounterClockwiseFromTheFrontFacesTheViewer", "triangle",
                  {{"x2", "200"}, {"z3", "100"}, {"r1", "0"}, {"g2", "0.5"}, {"b3", "0.25"}},
                  {none, {200, 0, 0}, {0, 0, 100}},
                  {{0, 1, 1, 1}, {1, 0.5f, 1, 1}, {1, 1, 0.25f, 1}}, GL_TRIANGLES, true, {0, -1, 0},
                  osg::StateSet::DEFAULT_BIN},
        ArrayCase{"TriangleWoundTheOtherWayFacesAway", "triangle", {{"z2", "100"}, {"x3", "200"}},
                  {none, {0, 0, 100}, {200, 0, 0}}, {white, white, white}, GL_TRIANGLES, true, {0, 1, 0},
                  osg::StateSet::DEFAULT_BIN},
        ArrayCase{"TrianglePositionsKeepTheirSinglePrecisionValue", "triangle",
                  {{"x1", "0.1"}, {"x2", "0.1"}, {"z2", "16777217"}, {"x3", "0.1"}, {"y3", "1e-7"}},
                  {{0.1f, 0, 0}, {0.1f, 0, 16777216.0f}, {0.1f, 1e-7f, 0}}, {white, white, white}, GL_TRIANGLES,
                  true, {-1, 0, 0}, osg::StateSet::DEFAULT_BIN},
        ArrayCase{"TriangleOneAlphaBelowOneIsTransparent", "triangle", {{"a2", "0.999"}}, {none, none, none},
                  {white, {1, 1, 1, 0.999f}, white}, GL_TRIANGLES, true, none, osg::StateSet::TRANSPARENT_BIN},
        ArrayCase{"QuadTakesFourVerticesAndItsFaceNormal", "quad",
                  {{"x2", "10"}, {"x3", "10"}, {"y3", "10"}, {"y4", "10"}, {"z1", "5"}, {"z2", "5"},
                   {"z3", "5"}, {"z4", "5"}, {"b4", "0"}},
                  {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}}, {white, white, white, {1, 1, 0, 1}},
                  GL_QUADS, true, {0, 0, 1}, osg::StateSet::DEFAULT_BIN},
        ArrayCase{"QuadLastAlphaAloneIsTransparent", "quad", {{"a4", "0.5"}}, {none, none, none, none},
                  {white, white, white, {1, 1, 1, 0.5f}}, GL_QUADS, true, none,
                  osg::StateSet::TRANSPARENT_BIN}),
    [](const testing::TestParamInfo<ArrayCase>& info) { return std::string(info.param.name); });

TEST(ShapesFaceNormal, UnitNormalTowardsTheSideThatSeesTheCornersCounterClockwise)
{
    const struct {
        const char* name;
        std::vector<osg::Vec3f> corners;
        osg::Vec3f normal;
    } cases[] = {
        {"triangle in the xy plane", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 0, 1}},
        {"the same wound the other way", {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, {0, 0, -1}},
        {"length does not count", {{0, 0, 0}, {500, 0, 0}, {0, 0, 300}}, {0, -1, 0}},
        {"far from the origin", {{1e6f, 1e6f, 1e6f}, {1e6f + 1, 1e6f, 1e6f}, {1e6f, 1e6f + 1, 1e6f}}, {0, 0, 1}},
        {"slanted", {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}, {0, -std::sqrt(0.5f), std::sqrt(0.5f)}},
        {"corners on one line", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, none},
        {"corners on one point", {{3, 4, 5}, {3, 4, 5}, {3, 4, 5}}, none},
        {"a corner not finite", {{0, 0, 0}, {inf, 0, 0}, {0, 1, 0}}, none},
        {"a corner not a number", {{0, 0, 0}, {nan, 0, 0}, {0, 1, 0}}, none},
        {"quad", {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}, {0, 0, 1}},
        {"quad whose first three corners are on one line", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}}, {0, 0, 1}},
        {"quad folded to a line", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, none},
        {"fewer than three corners", {{0, 0, 0}, {1, 0, 0}}, none},
    };
    for (const auto& c : cases)
        expectNear(faceNormal(c.corners.data(), c.corners.size()), c.normal, c.name);
}

TEST(ShapesFaceNormal, RecomputedAndMarkedModifiedOnEveryRedraw)
{
    ensureShapeDefs();
    for (const char* typeWord : {"triangle", "quad"}) {
        SCOPED_TRACE(typeWord);
        VertexShapeUnderTest face(typeWord, freshUser(typeWord));
        face.set("x2", "1");
        face.set("y3", "1");
        face.redraw();
        const unsigned int modified = face.normals()->getModifiedCount();
        expectNear(face.normals()->front(), {0, 0, 1}, "first");
        face.set("y3", "0");
        face.set("z3", "-1");
        face.set("z4", "-1");
        face.redraw();
        expectNear(face.normals()->front(), {0, 1, 0}, "turned");
        EXPECT_GT(face.normals()->getModifiedCount(), modified);
        face.set("x2", "0");
        face.redraw();
        expectNear(face.normals()->front(), none, "degenerate");
    }
}

TEST(ShapesPointSize, DrawsOnlyFinitePositiveSizesAndWritesTheSizeItHad)
{
    ensureShapeDefs();
    const std::string user = freshUser("pointsize");
    PointShape* point = new PointShape(user, "p");
    keepForever(point);
    auto setSize = [&](const char* text) {
        Variables::getInstance()->add(nullptr, user + ":p.size", text, PARAM_NUMBER);
    };
    const struct {
        const char* sizeText;
        float drawn;
        const char* written;  // by this redraw: the size drawn before it
    } steps[] = {
        {"1", 1.0f, "1"},     {"5", 5.0f, "1"},      {"2.5", 2.5f, "5"},    {"0", 2.5f, "2.5"},
        {"-3", 2.5f, "2.5"},  {"1/0", 2.5f, "2.5"},  {"-1/0", 2.5f, "2.5"}, {"0/0", 2.5f, "2.5"},
        {"123456789", 123456789.0f, "2.5"}, {"0.25", 0.25f, "1.23457e+08"},
    };
    for (const auto& step : steps) {
        setSize(step.sizeText);
        testing::internal::CaptureStderr();
        point->dirty();
        point->update();
        point->update();  // clean: writes nothing
        EXPECT_EQ(testing::internal::GetCapturedStderr(), step.written) << "size " << step.sizeText;
        EXPECT_EQ(point->getSize(), step.drawn) << "size " << step.sizeText;
    }
    for (float refused : {0.0f, -1.0f, inf, -inf, nan}) {
        point->setSize(refused);
        EXPECT_EQ(point->getSize(), 0.25f) << refused;
    }
}

TEST(ShapesCameraObject, KeepsItsPositionAndDrawsNothing)
{
    ensureShapeDefs();
    const std::string user = freshUser("camera");
    CameraObject* camera = new CameraObject(user, "c");
    keepForever(camera);
    for (const char* parameter : {"x", "y", "z"})
        Variables::getInstance()->add(nullptr, user + ":c." + parameter, "250", PARAM_NUMBER);
    camera->dirty();
    camera->update();
    EXPECT_FALSE(camera->isDirty());
    EXPECT_EQ(camera->getShape(), nullptr);
    EXPECT_FALSE(camera->getBoundingBox().valid());
}

}  // namespace

// The cylinder: its centre, size, turn and colour reach the drawn shape at
// every redraw, and its shader program is built only when it changes.

#include "CylinderShape.h"
#include "shapes_test_files.h"
#include "shapes_test_objects.h"

#include <gtest/gtest.h>

#include <osg/Program>
#include <osg/Shape>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

osg::Cylinder& cylinderOf(CylinderShape* shape) { return *static_cast<osg::Cylinder*>(shape->getShape()); }

struct CylinderCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> numbers;
    osg::Vec3f centre;
    float radius, height;
    osg::Vec4d rotation;  // x, y, z, w
    osg::Vec4f colour;
    osg::StateSet::RenderingHint bin;
};

void PrintTo(const CylinderCase& c, std::ostream* os) { *os << c.name; }

class ShapesCylinder : public testing::TestWithParam<CylinderCase> {};

TEST_P(ShapesCylinder, ShapeFollowsTheParameters)
{
    const CylinderCase& c = GetParam();
    PlacedObject<CylinderShape> cylinder("cylinder");
    for (const auto& number : c.numbers)
        cylinder.number(number.first, number.second);
    cylinder.redraw();

    const osg::Cylinder& shape = cylinderOf(cylinder.shape);
    expectNearVec(shape.getCenter(), c.centre, 1e-5f, "centre");
    EXPECT_FLOAT_EQ(shape.getRadius(), c.radius);
    EXPECT_FLOAT_EQ(shape.getHeight(), c.height);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(shape.getRotation()[i], c.rotation[i], 1e-5) << "rotation component " << i;
    EXPECT_EQ(cylinder.shape->getColor(), c.colour);
    EXPECT_EQ(cylinder.shape->getStateSet()->getRenderingHint(), c.bin);
}

const double halfRoot2 = 0.70710678;

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesCylinder,
    testing::Values(
        CylinderCase{"Defaults", {}, {0, 0, 0}, 1, 1, {0, 0, 0, 1}, {1, 1, 1, 1}, osg::StateSet::DEFAULT_BIN},
        CylinderCase{"CentreAndSize", {{"x", "1"}, {"y", "-2"}, {"z", "3"}, {"radius", "50"}, {"height", "300"}},
                     {1, -2, 3}, 50, 300, {0, 0, 0, 1}, {1, 1, 1, 1}, osg::StateSet::DEFAULT_BIN},
        CylinderCase{"RotateAboutX", {{"rotate", "90"}, {"rx", "1"}, {"rz", "0"}}, {0, 0, 0}, 1, 1,
                     {halfRoot2, 0, 0, halfRoot2}, {1, 1, 1, 1}, osg::StateSet::DEFAULT_BIN},
        CylinderCase{"ZeroAxisTurnsNothing", {{"rotate", "90"}, {"rz", "0"}}, {0, 0, 0}, 1, 1, {0, 0, 0, 1},
                     {1, 1, 1, 1}, osg::StateSet::DEFAULT_BIN},
        CylinderCase{"AxisLengthDoesNotCount", {{"rotate", "90"}, {"rz", "2"}}, {0, 0, 0}, 1, 1,
                     {0, 0, halfRoot2, halfRoot2}, {1, 1, 1, 1}, osg::StateSet::DEFAULT_BIN},
        CylinderCase{"ColourAndAlpha", {{"r", "0.5"}, {"b", "0"}, {"a", "0.25"}}, {0, 0, 0}, 1, 1, {0, 0, 0, 1},
                     {0.5f, 1, 0, 0.25f}, osg::StateSet::TRANSPARENT_BIN}),
    [](const testing::TestParamInfo<CylinderCase>& info) { return std::string(info.param.name); });

// The box around the vertices that the drawable draws.
osg::BoundingBox drawnBox(CylinderShape* shape)
{
    osg::BoundingBox box;
    const auto* vertices = dynamic_cast<const osg::Vec3Array*>(shape->getVertexArray());
    if (vertices != nullptr)
        for (const osg::Vec3f& vertex : *vertices)
            box.expandBy(vertex);
    return box;
}

TEST(ShapesCylinderDrawn, MovesAndTurnsWhatIsDrawn)
{
    PlacedObject<CylinderShape> cylinder("cylinder");
    cylinder.number("radius", "10");
    cylinder.number("height", "100");
    cylinder.number("r", "0");
    cylinder.redraw();
    osg::BoundingBox box = drawnBox(cylinder.shape);
    ASSERT_TRUE(box.valid());
    expectNearVec(box.center(), {0, 0, 0}, 1e-3f, "centre");
    EXPECT_NEAR(box.zMax() - box.zMin(), 100.0f, 1e-3f);

    cylinder.number("x", "400");
    cylinder.number("rotate", "90");
    cylinder.number("rx", "1");
    cylinder.number("rz", "0");
    cylinder.redraw();
    box = drawnBox(cylinder.shape);
    expectNearVec(box.center(), {400, 0, 0}, 1e-3f, "moved centre");
    EXPECT_NEAR(box.yMax() - box.yMin(), 100.0f, 1e-3f) << "the axis now lies along y";
    EXPECT_NEAR(box.zMax() - box.zMin(), 20.0f, 1e-3f);
    EXPECT_EQ(cylinder.shape->getBound().center(), osg::Vec3(400, 0, 0));

    const auto* colours = dynamic_cast<const osg::Vec4Array*>(cylinder.shape->getColorArray());
    ASSERT_NE(colours, nullptr);
    ASSERT_FALSE(colours->empty());
    EXPECT_EQ(colours->front(), osg::Vec4f(0, 1, 1, 1)) << "the colour outlives the rebuild";
}

TEST(ShapesCylinderShader, ProgramIsBuiltOnlyWhenItChanges)
{
    ShapesTempDir dir;
    dir.writeText("glow.vert", "void main() { gl_Position = ftransform(); }\n");
    dir.writeText("glow.frag", "void main() { gl_FragColor = vec4(1.0); }\n");
    ScopedSetting shaderDir("Shader", dir.path + "/");
    PlacedObject<CylinderShape> cylinder("cylinder");
    auto program = [&] { return cylinder.shape->getStateSet()->getAttribute(osg::StateAttribute::PROGRAM); };
    cylinder.redraw();
    const osg::StateAttribute* none = program();
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(cylinder.shape->getStateSet()->getAttributePair(osg::StateAttribute::PROGRAM)->second &
                  osg::StateAttribute::ON,
              0u);

    cylinder.string("shader", "glow");
    cylinder.redraw();
    const osg::StateAttribute* glow = program();
    ASSERT_NE(glow, none);
    EXPECT_EQ(static_cast<const osg::Program*>(glow)->getNumShaders(), 2u);
    cylinder.number("r", "0.5");
    cylinder.redraw();
    EXPECT_EQ(program(), glow) << "a redraw with the same files keeps the program";
}

}  // namespace

// What every shape of the catalogue shares: it is made by its factory, reads
// only parameters of its own type, and redraws once per change.

#include "CubeShape.h"
#include "MainNode.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <string>

namespace {

const char* const catalogue[] = {"square", "point", "triangle", "quad", "rectangle",
                                 "circle", "line", "text", "sphere", "cube",
                                 "cylinder", "model", "light", "camera", "video"};

// A shape made by its type's factory, in a geode under a scene root.
struct PlacedShape {
    explicit PlacedShape(const std::string& typeWord, const std::string& user)
    {
        ShapeFactory* factory = ShapeDefinitions::getInstance()->getFactory(typeWord);
        if (factory == nullptr)
            return;
        shape = factory->createInstance(user, "s");
        keepForever(shape);
        geode->addDrawable(shape->asDrawable());
        root->addElement(geode.get());
    }
    BasicShape* shape = nullptr;
    osg::ref_ptr<MainNode> root = new MainNode();
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
};

class ShapesCatalogue : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ensureShapeDefs(); }
};

TEST_P(ShapesCatalogue, RedrawReadsOnlyParametersOfItsType)
{
    const std::string typeWord = GetParam();
    PlacedShape placed(typeWord, freshUser("catalogue"));
    ASSERT_NE(placed.shape, nullptr) << "no factory for " << typeWord;
    EXPECT_EQ(placed.shape->getType(), typeWord);
    UpdateFrames frames(placed.root.get());
    frames.at(0.0);  // the root takes the geode in
    placed.shape->dirty();
    frames.at(0.1);
    EXPECT_FALSE(placed.shape->isDirty());
    EXPECT_TRUE(placed.shape->unboundParameterReads().empty())
        << typeWord << " reads " << *placed.shape->unboundParameterReads().begin();
}

INSTANTIATE_TEST_SUITE_P(FifteenTypes, ShapesCatalogue, testing::ValuesIn(catalogue),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// The cube's arrays after a redraw from given parameter values.
class ShapesCube : public testing::Test {
protected:
    void SetUp() override
    {
        ensureShapeDefs();
        user = freshUser("cube");
        cube = new CubeShape(user, "c");
        keepForever(cube);
    }
    void set(const std::string& parameter, const std::string& value)
    {
        Variables::getInstance()->add(nullptr, user + ":c." + parameter, value, PARAM_NUMBER);
    }
    void redraw()
    {
        cube->dirty();
        cube->update();
    }
    const osg::Vec3Array& vertices() { return *static_cast<osg::Vec3Array*>(cube->getVertexArray()); }
    const osg::Vec3Array& normals() { return *static_cast<osg::Vec3Array*>(cube->getNormalArray()); }
    const osg::Vec2Array& texCoords() { return *static_cast<osg::Vec2Array*>(cube->getTexCoordArray(0)); }

    std::string user;
    CubeShape* cube = nullptr;
};

TEST_F(ShapesCube, DefaultsGiveAWhiteUnitCubeOnTheOrigin)
{
    redraw();
    ASSERT_EQ(vertices().size(), 24u);
    const osg::Vec3f face0[4] = {{-0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(vertices()[k], face0[k]) << k;
        EXPECT_EQ(normals()[k], osg::Vec3f(0, -1, 0)) << k;
    }
    EXPECT_EQ(normals()[16], osg::Vec3f(0, 0, 1));
    EXPECT_EQ(normals()[20], osg::Vec3f(0, 0, -1));
    EXPECT_EQ((*static_cast<osg::Vec4Array*>(cube->getColorArray()))[0], osg::Vec4f(1, 1, 1, 1));
    EXPECT_EQ(cube->getStateSet()->getRenderingHint(), osg::StateSet::DEFAULT_BIN);
    ASSERT_EQ(texCoords().size(), 24u) << "every vertex has coordinates";
    EXPECT_EQ(texCoords()[0], osg::Vec2f(0, 0));
    EXPECT_EQ(texCoords()[3], osg::Vec2f(0, 1));
    EXPECT_EQ(texCoords()[23], osg::Vec2f(0, 1));
}

TEST_F(ShapesCube, SizeTurnAndMove)
{
    set("size", "200");
    set("rot", "90");
    set("rotz", "1");
    set("x", "1000");
    redraw();
    // Face 0 (y = -h) turned about z looks along +x.
    EXPECT_NEAR(normals()[0].x(), 1.0f, 1e-6f);
    EXPECT_NEAR(normals()[0].y(), 0.0f, 1e-6f);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(vertices()[k].x(), 1100.0f, 1e-3f) << k;

    set("size", "-200");
    redraw();
    EXPECT_NEAR(vertices()[0].x(), 900.0f, 1e-3f) << "a negative size moves faces across the centre";
    EXPECT_NEAR(normals()[0].x(), 1.0f, 1e-6f) << "the normal keeps its direction";

    set("a", "0.5");
    redraw();
    EXPECT_EQ(cube->getStateSet()->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
}

}  // namespace

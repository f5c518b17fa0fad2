// Cubes of the common state are drawn together, in chunks, and not by
// themselves: each chunk holds exactly what the same cubes drawn alone would
// hold in their own arrays, which a cube in the batch does not keep, and a
// cube that needs a state of its own or has a vertex that is not finite is
// drawn by itself again, leaving a slot that draws and bounds nothing.

#include "CubeBatch.h"
#include "CubeShape.h"
#include "MainNode.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>

#include <map>
#include <string>
#include <vector>

namespace {

class ShapesCubeBatch : public testing::Test {
protected:
    void SetUp() override
    {
        ensureShapeDefs();
        user = freshUser("batch");
    }

    // A cube in its own geode under the scene root, drawn by the next frame.
    CubeShape* cube(const std::string& name, float x)
    {
        CubeShape* made = cubeIn(name, x);
        root->addElement(made->getParent());
        return made;
    }
    // A cube in its own geode outside any scene root: it draws itself.
    CubeShape* cubeAlone(const std::string& name, float x)
    {
        return cubeIn(name, x);
    }
    CubeShape* cubeIn(const std::string& name, float x)
    {
        auto* made = new CubeShape(user, name);
        keepForever(made);
        names[made] = name;
        geodes.push_back(new osg::Geode());
        geodes.back()->addDrawable(made);
        set(name, "x", std::to_string(x), PARAM_NUMBER);
        made->dirty();
        return made;
    }
    void set(const std::string& object, const std::string& parameter, const std::string& value, ParamType kind)
    {
        Variables::getInstance()->add(nullptr, user + ":" + object + "." + parameter, value, kind);
    }
    void change(CubeShape* shape, const std::string& parameter, const std::string& value, ParamType kind)
    {
        set(names[shape], parameter, value, kind);
        shape->dirty();
        frames.at(++time);
    }

    void freshScene()
    {
        root = new MainNode();
        frames = UpdateFrames(root.get());
    }

    static bool drawnAlone(CubeShape* shape)
    {
        return shape->getParent()->getNodeMask() == ~0u && shape->getVertexArray() != nullptr &&
               shape->getNumPrimitiveSets() == 1;
    }
    // In the batch, and holding no arrays or primitive sets of its own.
    static bool drawnInBatch(CubeShape* shape)
    {
        return shape->getParent()->getNodeMask() == MainNode::updateOnlyMask && shape->getVertexArray() == nullptr &&
               shape->getNormalArray() == nullptr && shape->getColorArray() == nullptr &&
               shape->getTexCoordArray(0) == nullptr && shape->getNumPrimitiveSets() == 0;
    }
    osg::Geometry& chunk(unsigned int index) { return *root->cubeBatch().getDrawable(index)->asGeometry(); }
    template <typename Array>
    static const Array& array(const osg::Array* a)
    {
        return *static_cast<const Array*>(a);
    }
    // The 24 entries of the slot in the chunk's array.
    template <typename Array>
    static std::vector<typename Array::ElementDataType> slotOf(const osg::Array* a, int slot)
    {
        const Array& entries = array<Array>(a);
        return {entries.begin() + slot * 24, entries.begin() + slot * 24 + 24};
    }
    template <typename Array>
    static std::vector<typename Array::ElementDataType> all(const osg::Array* a)
    {
        const Array& entries = array<Array>(a);
        return {entries.begin(), entries.end()};
    }
    // Two cubes drawing themselves hold the same arrays.
    static void expectSameOwnArrays(CubeShape* shape, CubeShape* twin)
    {
        ASSERT_TRUE(drawnAlone(shape));
        ASSERT_TRUE(drawnAlone(twin));
        EXPECT_EQ(all<osg::Vec3Array>(shape->getVertexArray()), all<osg::Vec3Array>(twin->getVertexArray()));
        EXPECT_EQ(all<osg::Vec3Array>(shape->getNormalArray()), all<osg::Vec3Array>(twin->getNormalArray()));
        EXPECT_EQ(all<osg::Vec4Array>(shape->getColorArray()), all<osg::Vec4Array>(twin->getColorArray()));
        EXPECT_EQ(all<osg::Vec2Array>(shape->getTexCoordArray(0)), all<osg::Vec2Array>(twin->getTexCoordArray(0)));
    }
    static void redrawNow(CubeShape* shape)
    {
        shape->dirty();
        shape->update();
    }

    std::string user;
    std::map<CubeShape*, std::string> names;
    std::vector<osg::ref_ptr<osg::Geode>> geodes;
    osg::ref_ptr<MainNode> root = new MainNode();
    UpdateFrames frames{root.get()};
    double time = 0;
};

TEST_F(ShapesCubeBatch, DefaultCubesAreDrawnInChunksHoldingWhatTheyWouldDrawAlone)
{
    std::vector<CubeShape*> cubes, twins;
    for (int i = 0; i < CubeBatch::cubesPerChunk + 2; ++i) {
        cubes.push_back(cube("c" + std::to_string(i), static_cast<float>(10 * i)));
        twins.push_back(cubeAlone("twin" + std::to_string(i), static_cast<float>(10 * i)));
    }
    const struct {
        int cube;
        const char* parameter;
        const char* value;
    } changes[] = {{1, "g", "0.25"}, {2, "rot", "30"}, {2, "rotz", "1"}, {3, "size", "2.5"}, {3, "tilt", "-40"}};
    for (const auto& c : changes) {
        set(names[twins[c.cube]], c.parameter, c.value, PARAM_NUMBER);
        change(cubes[c.cube], c.parameter, c.value, PARAM_NUMBER);
    }
    for (CubeShape* twin : twins)
        redrawNow(twin);

    ASSERT_EQ(root->cubeBatch().getNumDrawables(), 2u);
    for (int i = 0; i < static_cast<int>(cubes.size()); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(drawnInBatch(cubes[i]));
        ASSERT_TRUE(drawnAlone(twins[i]));
        osg::Geometry& holder = chunk(static_cast<unsigned>(i / CubeBatch::cubesPerChunk));
        const int slot = i % CubeBatch::cubesPerChunk;
        EXPECT_EQ(slotOf<osg::Vec3Array>(holder.getVertexArray(), slot), all<osg::Vec3Array>(twins[i]->getVertexArray()));
        EXPECT_EQ(slotOf<osg::Vec3Array>(holder.getNormalArray(), slot), all<osg::Vec3Array>(twins[i]->getNormalArray()));
        const osg::Vec4f colour = array<osg::Vec4Array>(twins[i]->getColorArray())[0];
        EXPECT_EQ(slotOf<osg::Vec4Array>(holder.getColorArray(), slot), std::vector<osg::Vec4f>(24, colour));
    }
    EXPECT_EQ(array<osg::Vec4Array>(chunk(0).getColorArray())[24], osg::Vec4f(1, 0.25f, 1, 1));
    // The second chunk draws its two cubes, no more.
    const auto* drawn = dynamic_cast<const osg::DrawArrays*>(chunk(1).getPrimitiveSet(0));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->getCount(), 2 * 24);
    EXPECT_EQ(chunk(1).getStateSet(), cubes[0]->getStateSet()) << "the state every cube starts with";
}

// What sends a cube back to drawing itself, and whether it comes back.
TEST_F(ShapesCubeBatch, ACubeWithAStateOfItsOwnOrAVertexNotFiniteIsDrawnAlone)
{
    const struct {
        const char* parameter;
        const char* value;
        ParamType kind;
        const char* back;  // a value after which the cube is in the batch again, if any
    } cases[] = {
        {"a", "0.5", PARAM_NUMBER, nullptr},
        {"texture", "missing.png", PARAM_STRING, nullptr},
        {"shader", "glow", PARAM_STRING, nullptr},
        {"size", "1/0", PARAM_EXPRESSION, "2"},
        {"x", "0/0", PARAM_EXPRESSION, "5"},
        {"rot", "1e39 * 1e39", PARAM_EXPRESSION, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        freshScene();
        CubeShape* near = cube(std::string("near_") + c.parameter, 0);
        CubeShape* far = cube(std::string("far_") + c.parameter, 5000);
        set(names[far], "rotz", "1", PARAM_NUMBER);
        frames.at(++time);
        ASSERT_TRUE(drawnInBatch(far));
        const osg::BoundingBox before = chunk(0).getBoundingBox();
        EXPECT_GE(before.xMax(), 5000.0f);

        testing::internal::CaptureStderr();  // the missing files are reported
        change(far, c.parameter, c.value, c.kind);
        EXPECT_TRUE(drawnAlone(far)) << "with arrays of its own again";
        if (c.back == nullptr) {
            // Its own arrays hold what a cube that never joined the batch holds.
            CubeShape* twin = cubeAlone(std::string("twin_") + c.parameter, 5000);
            set(names[twin], "rotz", "1", PARAM_NUMBER);
            set(names[twin], c.parameter, c.value, c.kind);
            redrawNow(twin);
            expectSameOwnArrays(far, twin);
        }
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(drawnInBatch(near));
        // The slot left draws nothing and no longer widens the bound.
        const osg::BoundingBox after = chunk(0).getBoundingBox();
        EXPECT_LT(after.xMax(), 5000.0f);
        EXPECT_TRUE(after.valid());

        // The next cube takes the slot left; a cube whose vertices are
        // finite again comes back into the batch.
        CubeShape* next = cube(std::string("next_") + c.parameter, 5000);
        frames.at(++time);
        EXPECT_TRUE(drawnInBatch(next));
        EXPECT_GE(chunk(0).getBoundingBox().xMax(), 5000.0f);
        EXPECT_EQ(dynamic_cast<const osg::DrawArrays&>(*chunk(0).getPrimitiveSet(0)).getCount(), 2 * 24);
        if (c.back != nullptr) {
            change(far, c.parameter, c.back, PARAM_NUMBER);
            EXPECT_TRUE(drawnInBatch(far));
        }
    }
}

// Without a scene root (a shape made before there is one) a cube draws itself.
TEST_F(ShapesCubeBatch, ACubeOutsideASceneRootDrawsItself)
{
    auto* alone = new CubeShape(user, "alone");
    keepForever(alone);
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    geode->addDrawable(alone);
    alone->dirty();
    alone->update();
    EXPECT_TRUE(drawnAlone(alone));
}

// A row that holds another kind of value (stored before the cube was made)
// cannot be read: the cube keeps what it started with, the colour and the
// texture corners all zero, in the batch and drawn alone alike.
TEST_F(ShapesCubeBatch, RowsOfAnotherKindKeepWhatTheCubeStartedWith)
{
    for (const char* object : {"worded", "worded_alone"}) {
        set(object, "r", "red", PARAM_STRING);
        set(object, "t2s", "wide", PARAM_STRING);
    }
    CubeShape* inBatch = cube("worded", 0);
    CubeShape* alone = cubeAlone("worded_alone", 0);
    frames.at(++time);
    redrawNow(alone);

    ASSERT_TRUE(drawnInBatch(inBatch));
    ASSERT_TRUE(drawnAlone(alone));
    const osg::Vec4f started(0, 1, 1, 1);
    EXPECT_EQ(slotOf<osg::Vec4Array>(chunk(0).getColorArray(), 0), std::vector<osg::Vec4f>(24, started));
    EXPECT_EQ(array<osg::Vec4Array>(alone->getColorArray())[0], started);
    const osg::Vec2Array& corners = array<osg::Vec2Array>(alone->getTexCoordArray(0));
    EXPECT_EQ(corners[1], osg::Vec2f(0, 0)) << "t2s kept; t2t read";
    EXPECT_EQ(corners[2], osg::Vec2f(1, 1));

    // A texture sends the batched cube to draw itself, with the same corners.
    testing::internal::CaptureStderr();  // the missing file is reported
    change(inBatch, "texture", "missing.png", PARAM_STRING);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(drawnAlone(inBatch));
    EXPECT_EQ(array<osg::Vec2Array>(inBatch->getTexCoordArray(0))[1], osg::Vec2f(0, 0));
    EXPECT_EQ(array<osg::Vec4Array>(inBatch->getColorArray())[0], started);
}

}  // namespace

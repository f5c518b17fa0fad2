#include "DrawableShape.h"
#include "GeometryShape.h"

#include <gtest/gtest.h>

#include <OpenThreads/ScopedLock>
#include <osg/BufferObject>
#include <osg/Geode>
#include <osgUtil/UpdateVisitor>

namespace {

void runUpdate(osg::Node* node)
{
    osgUtil::UpdateVisitor visitor;
    node->accept(visitor);
}

// Rebuilds its arrays (new ones each time, as the catalogue's shapes do) when dirty.
class StripShape : public GeometryShape {
public:
    void dirty() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        dirtyFlag = true;
    }
    std::string getType() override { return "strip"; }
    void update() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        ++updates;
        if (!dirtyFlag)
            return;
        ++rebuilds;
        osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array();
        vertices->push_back(osg::Vec3(0, 0, 0));
        vertices->push_back(osg::Vec3(1, 0, 0));
        osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array(2);
        setVertexArray(vertices.get());
        setColorArray(colours.get(), osg::Array::BIND_PER_VERTEX);
        dirtyFlag = false;
    }
    int updates = 0;
    int rebuilds = 0;
};

class MarkerShape : public DrawableShape {
public:
    void dirty() override {}
    std::string getType() override { return "marker"; }
    void update() override { ++updates; }
    float radius() const { return shapeRadius; }
    float height() const { return shapeHeight; }
    osg::Vec3f position() const { return shapePosition; }
    osg::Vec4f colour() const { return shapeColor; }
    int updates = 0;
};

TEST(ShapesGeometryBase, RebuildsWhenDirtyWithStreamDrawBuffers)
{
    osg::ref_ptr<StripShape> shape = new StripShape();
    EXPECT_FALSE(shape->getUseDisplayList());
    EXPECT_TRUE(shape->getUseVertexBufferObjects());
    EXPECT_EQ(shape->asDrawable(), static_cast<osg::Drawable*>(shape.get()));
    EXPECT_EQ(shape->getParent(), nullptr);  // no geode yet

    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    geode->addDrawable(shape->asDrawable());
    EXPECT_EQ(shape->getParent(), geode.get());

    runUpdate(geode.get());
    EXPECT_EQ(shape->updates, 1);
    EXPECT_EQ(shape->rebuilds, 0);

    for (int rebuild = 1; rebuild <= 2; ++rebuild) {
        shape->dirty();
        runUpdate(geode.get());
        EXPECT_EQ(shape->rebuilds, rebuild);
        osg::Geometry::ArrayList arrays;
        shape->getArrayList(arrays);
        ASSERT_EQ(arrays.size(), 2u);
        for (const auto& array : arrays) {
            ASSERT_NE(array->getBufferObject(), nullptr);
            EXPECT_EQ(array->getBufferObject()->getUsage(), static_cast<GLenum>(GL_STREAM_DRAW_ARB));
        }
    }
    EXPECT_EQ(shape->updates, 3);
}

TEST(ShapesGeometryBase, CallbackIgnoresOtherDrawables)
{
    osg::ref_ptr<osg::Geometry> plain = new osg::Geometry();
    osg::ref_ptr<osg::Geometry> other = new osg::Geometry();
    plain->setUpdateCallback(new GeometryShape::GeometryUpdateCallback());
    other->setUpdateCallback(new DrawableShape::DrawableUpdateCallback());
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    geode->addDrawable(plain.get());
    geode->addDrawable(other.get());
    runUpdate(geode.get());  // nothing to call, nothing to fail
    SUCCEED();
}

TEST(ShapesDrawableBase, StartsWithDefinedPlacementAndUpdatesEveryTraversal)
{
    osg::ref_ptr<MarkerShape> shape = new MarkerShape();
    EXPECT_EQ(shape->radius(), 1.0f);
    EXPECT_EQ(shape->height(), 1.0f);
    EXPECT_EQ(shape->position(), osg::Vec3f(0, 0, 0));
    EXPECT_EQ(shape->colour(), osg::Vec4f(0, 0, 0, 0));
    EXPECT_EQ(shape->getParent(), nullptr);

    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    geode->addDrawable(shape->asDrawable());
    EXPECT_EQ(shape->getParent(), geode.get());
    runUpdate(geode.get());
    runUpdate(geode.get());
    EXPECT_EQ(shape->updates, 2);
}

}  // namespace

#include "DrawableShape.h"

#include <OpenThreads/ScopedLock>
#include <osg/Geode>

DrawableShape::DrawableShape() { setUpdateCallback(new DrawableUpdateCallback()); }

DrawableShape::~DrawableShape()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    setUpdateCallback(nullptr);
    dirtyFlag = false;
}

osg::Geode* DrawableShape::getParent()
{
    if (osg::ShapeDrawable::getNumParents() == 0)
        return nullptr;
    return osg::ShapeDrawable::getParent(0)->asGeode();
}

osg::Drawable* DrawableShape::asDrawable() { return this; }

void DrawableShape::DrawableUpdateCallback::update(osg::NodeVisitor*, osg::Drawable* drawable)
{
    if (auto* shape = dynamic_cast<DrawableShape*>(drawable))
        shape->update();
}

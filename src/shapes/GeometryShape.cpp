#include "GeometryShape.h"

#include <OpenThreads/ScopedLock>
#include <osg/BufferObject>
#include <osg/Geode>

GeometryShape::GeometryShape()
{
    // The arrays are rewritten on every redraw: no display lists, and
    // buffer objects with the stream-draw hint (set once the arrays exist,
    // on the buffer object they carry; see useStreamDraw).
    setUseDisplayList(false);
    setUseVertexBufferObjects(true);
    setUpdateCallback(new GeometryUpdateCallback());
}

GeometryShape::~GeometryShape()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    setUpdateCallback(nullptr);
    dirtyFlag = false;
}

osg::Geode* GeometryShape::getParent()
{
    if (osg::Geometry::getNumParents() == 0)
        return nullptr;
    return osg::Geometry::getParent(0)->asGeode();
}

osg::Drawable* GeometryShape::asDrawable() { return this; }

void GeometryShape::useStreamDraw()
{
    ArrayList arrays;
    getArrayList(arrays);
    for (const auto& array : arrays) {
        osg::BufferObject* buffer = array.valid() ? array->getBufferObject() : nullptr;
        if (buffer != nullptr && buffer->getUsage() != GL_STREAM_DRAW_ARB)
            buffer->setUsage(GL_STREAM_DRAW_ARB);
    }
}

void GeometryShape::GeometryUpdateCallback::update(osg::NodeVisitor*, osg::Drawable* drawable)
{
    auto* shape = dynamic_cast<GeometryShape*>(drawable);
    if (shape == nullptr)
        return;
    const bool rebuilding = shape->dirtyFlag;
    shape->update();
    if (rebuilding)
        shape->useStreamDraw();
}

#include "GeometryShape.h"

#include <osg/BufferObject>

GeometryShape::GeometryShape()
{
    // The arrays are rewritten on every redraw: no display lists, and
    // buffer objects with the stream-draw hint (set once the arrays exist,
    // on the buffer object they carry; see useStreamDraw).
    setUseDisplayList(false);
    setUseVertexBufferObjects(true);
}

void setBufferUsage(osg::Geometry& geometry, GLenum usage)
{
    osg::Geometry::ArrayList arrays;
    geometry.getArrayList(arrays);
    for (const auto& array : arrays) {
        osg::BufferObject* buffer = array.valid() ? array->getBufferObject() : nullptr;
        if (buffer != nullptr && buffer->getUsage() != usage)
            buffer->setUsage(usage);
    }
}

void GeometryShape::useStreamDraw() { setBufferUsage(*this, GL_STREAM_DRAW_ARB); }

void GeometryShape::updateTraversal(osg::NodeVisitor*)
{
    const bool rebuilding = dirtyFlag;
    update();
    if (rebuilding)
        useStreamDraw();
}

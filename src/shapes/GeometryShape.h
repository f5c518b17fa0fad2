#pragma once
// BasicShape joined with an osg::Geometry: the drawable base of the point,
// line, triangle, quad, rectangle, square, circle, cube, sphere, model and
// video shapes. Its update callback reaches update() in every update
// traversal (see DrawableBinding.h for the threading contract); it also
// carries the texture operations of unit 0.

#include "DrawableBinding.h"

#include <osg/Geometry>
#include <string>

// Gives the buffer objects that the geometry's arrays carry the usage hint
// (GL_STREAM_DRAW_ARB, GL_DYNAMIC_DRAW_ARB, ...).
void setBufferUsage(osg::Geometry& geometry, GLenum usage);

class GeometryShape : public RedrawFrame<osg::Geometry> {
public:
    typedef UpdateCallback GeometryUpdateCallback;

    GeometryShape();

    // Textures unit 0 with the image <TextureDir>/<imageName>; read only when
    // the name changes. An empty name switches the texture off.
    void setTextureImage(std::string imageName);
    // The video shape's variant: accepts image sequences and plays them.
    void setVideoTexture(std::string fileName);

protected:
    ~GeometryShape() override = default;
    void updateTraversal(osg::NodeVisitor* visitor) override;

private:
    // Gives the buffer objects that the arrays carry the stream-draw usage;
    // arrays added or replaced by a rebuild may bring a new buffer object.
    void useStreamDraw();
};

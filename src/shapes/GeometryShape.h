#pragma once
// BasicShape joined with an osg::Geometry: the drawable base of the point,
// line, triangle, quad, rectangle, square, circle, cube, sphere, model and
// video shapes. Its update callback calls update() in every update
// traversal; it also carries the texture operations of unit 0.

#include "BasicShape.h"

#include <osg/Drawable>
#include <osg/Geometry>
#include <string>

class GeometryShape : public BasicShape, public osg::Geometry {
public:
    GeometryShape();

    // The geode that holds the geometry (its first parent); null before it has one.
    osg::Geode* getParent() override;
    osg::Drawable* asDrawable() override;

    // Textures unit 0 with the image <TextureDir>/<imageName>; read only when
    // the name changes. An empty name switches the texture off.
    void setTextureImage(std::string imageName);
    // The video shape's variant: accepts image sequences and plays them.
    void setVideoTexture(std::string fileName);

    class GeometryUpdateCallback : public osg::DrawableUpdateCallback {
    public:
        void update(osg::NodeVisitor* visitor, osg::Drawable* drawable) override;
    };

protected:
    ~GeometryShape() override;

private:
    // Gives the buffer objects that the arrays carry the stream-draw usage;
    // arrays added or replaced by a rebuild may bring a new buffer object.
    void useStreamDraw();
};

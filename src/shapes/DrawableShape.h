#pragma once
// BasicShape joined with an osg::ShapeDrawable: the drawable base of the
// light, camera and cylinder shapes, which keep their placement in the
// shape* fields. Its update callback calls update() in every update traversal.

#include "BasicShape.h"

#include <osg/ShapeDrawable>
#include <osg/Vec3f>
#include <osg/Vec4f>

class DrawableShape : public BasicShape, public osg::ShapeDrawable {
public:
    DrawableShape();

    // The geode that holds the drawable (its first parent); null before it has one.
    osg::Geode* getParent() override;
    osg::Drawable* asDrawable() override;

    class DrawableUpdateCallback : public osg::DrawableUpdateCallback {
    public:
        void update(osg::NodeVisitor* visitor, osg::Drawable* drawable) override;
    };

protected:
    ~DrawableShape() override;

    // Starting values of the radius and height reads of the derived shapes.
    float shapeRadius = 1.0f;
    float shapeHeight = 1.0f;
    osg::Vec3f shapePosition{0.0f, 0.0f, 0.0f};
    osg::Vec4f shapeColor{0.0f, 0.0f, 0.0f, 0.0f};
};

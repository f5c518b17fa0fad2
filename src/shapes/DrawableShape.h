#pragma once
// BasicShape joined with an osg::ShapeDrawable: the drawable base of the
// light, camera and cylinder shapes, which keep their placement in the
// shape* fields. Its update callback reaches update() in every update
// traversal (see DrawableBinding.h for the threading contract).
//
// OpenSceneGraph 3.6 tessellates a ShapeDrawable's shape only in build():
// a redraw that changes the shape calls rebuildShape().

#include "DrawableBinding.h"

#include <osg/ShapeDrawable>
#include <osg/Vec3f>
#include <osg/Vec4f>

class DrawableShape : public RedrawFrame<osg::ShapeDrawable> {
public:
    typedef UpdateCallback DrawableUpdateCallback;

    DrawableShape() = default;

protected:
    ~DrawableShape() override = default;

    // Tessellates the shape again after its centre, size or rotation changed.
    void rebuildShape();

    // Starting values of the radius and height reads of the derived shapes.
    float shapeRadius = 1.0f;
    float shapeHeight = 1.0f;
    osg::Vec3f shapePosition{0.0f, 0.0f, 0.0f};
    osg::Vec4f shapeColor{0.0f, 0.0f, 0.0f, 0.0f};
};

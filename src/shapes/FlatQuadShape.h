#pragma once
// The flat quad that the square, rectangle and video draw: four corners of a
// width by height rectangle around the shape's own origin in the plane
// y = 0, facing -y, placed by the placement rule; one overall colour, one
// normal and the texture corners t1 to t4 on unit 0. Corner 0 is lower
// left seen from -y with +z up, and the corners run counter-clockwise.
// Threading as every shape (DrawableBinding.h).

#include "GeometryShape.h"
#include "ShapeRules.h"

#include <osg/Array>

class FlatQuadShape : public GeometryShape {
public:
    // Rebuilds the four corners and the normal.
    void setPosition(const Placement& placement, float width, float height);
    void setColor(const osg::Vec4f& colour);
    void setTextureCoords(const TextureCorners& corners);

protected:
    // The arrays (all zero) with their bindings, the quad, blending and a
    // colour-tracking material.
    FlatQuadShape();

    // The redraw the quads share, given their extent: reads the placement,
    // the colour and the texture corners (a value of another kind keeps
    // what is drawn now), rewrites every array and marks the arrays and the
    // bound changed.
    void redrawQuad(float width, float height);
    // Textures unit 0 with the image that `texture` names.
    void showTextureParameter();

private:
    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec3Array* normals;
    osg::Vec2Array* texCoords;
};

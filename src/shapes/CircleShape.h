#pragma once
// The shape of type word "circle": a flat disc of `radius` around its
// centre, facing -y before it is turned, drawn as one triangle fan of 40
// segments with one colour at the centre and another on the rim, lit, and
// optionally drawn through a shader pair. Threading as every shape
// (DrawableBinding.h).

#include "GeometryShape.h"
#include "ShapeRules.h"
#include "ShapeShader.h"

#include <osg/Array>
#include <string>

class CircleShape : public GeometryShape {
public:
    static const int segments = 40;

    CircleShape(std::string userName, std::string objectName);

    std::string getType() override { return "circle"; }

    // The centre, then 41 rim points: rim point i at the angle i * (-2 pi /
    // 40) from +x towards -z, the last one repeating the first so that the
    // fan closes. The points are placed in double precision.
    void setPosition(const Placement& placement, float radius);
    void setColor(const osg::Vec4f& centreColour, const osg::Vec4f& rimColour);

protected:
    void redraw() override;

private:
    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec3Array* normals;  // the one normal of the fan
    ShapeShader shader;
};

#pragma once
// The shape of type word "line": one straight segment between two end
// points, each with a colour of its own, drawn unlit with a settable width.
// The end points are used as given: no placement rule. Threading as every
// shape (DrawableBinding.h).

#include "GeometryShape.h"

#include <osg/Array>
#include <osg/LineWidth>
#include <string>

class LineShape : public GeometryShape {
public:
    LineShape(std::string userName, std::string objectName);

    std::string getType() override { return "line"; }

    void setPosition(const osg::Vec3f& first, const osg::Vec3f& second);
    void setColor(const osg::Vec4f& firstColour, const osg::Vec4f& secondColour);
    // A width that is not a positive finite number is not applied (OpenGL
    // refuses it): the last valid width stays.
    void setWidth(float width);

protected:
    void redraw() override;

private:
    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::LineWidth* lineWidth;
};

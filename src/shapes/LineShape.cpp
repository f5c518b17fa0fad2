#include "LineShape.h"

#include "FullName.h"
#include "ParameterGroups.h"
#include "ShapeRules.h"

#include <cmath>

namespace {

const ParameterKey widthKey("width");

}  // namespace

LineShape::LineShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "line", this);
    BasicShape::setName(fullName(userName, objectName));

    vertices = new osg::Vec3Array(2);
    colors = new osg::Vec4Array(2);
    lineWidth = new osg::LineWidth(1.0f);
    setVertexArray(vertices);
    setColorArray(colors, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::LINES, 0, 2));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    stateSet->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    stateSet->setAttribute(lineWidth);
}

void LineShape::redraw()
{
    osg::Vec3f first = (*vertices)[0];
    osg::Vec3f second = (*vertices)[1];
    osg::Vec4f firstColour = (*colors)[0];
    osg::Vec4f secondColour = (*colors)[1];
    float width = lineWidth->getWidth();

    {
        ParameterRead read(*this);
        readPosition(read, first, 1);
        readColour(read, firstColour, 1);
        readPosition(read, second, 2);
        readColour(read, secondColour, 2);
        read.number(widthKey, width);
    }

    setPosition(first, second);
    setColor(firstColour, secondColour);
    setWidth(width);

    colors->dirty();
    vertices->dirty();
    dirtyBound();
}

void LineShape::setPosition(const osg::Vec3f& first, const osg::Vec3f& second)
{
    (*vertices)[0] = first;
    (*vertices)[1] = second;
}

void LineShape::setColor(const osg::Vec4f& firstColour, const osg::Vec4f& secondColour)
{
    (*colors)[0] = firstColour;
    (*colors)[1] = secondColour;
    applyColourBin(*getOrCreateStateSet(), {firstColour.a(), secondColour.a()});
}

void LineShape::setWidth(float width)
{
    if (std::isfinite(width) && width > 0.0f)
        lineWidth->setWidth(width);
}

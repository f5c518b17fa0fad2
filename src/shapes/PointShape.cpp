#include "PointShape.h"

#include "NumberText.h"

#include <cmath>
#include <iostream>

namespace {

const ParameterKey sizeKey("size");

}  // namespace

PointShape::PointShape(std::string userName, std::string objectName)
    : VertexShape(userName, objectName, "point", osg::PrimitiveSet::POINTS),
      pointAttribute(new osg::Point())
{
    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setAttribute(pointAttribute);
    // A dot shows its colour as given, whatever the lights.
    stateSet->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    // A single vertex has a bound of radius 0, which small-feature culling
    // would remove in every frame.
    setCullingActive(false);
}

void PointShape::redraw()
{
    VertexShape::redraw();
    float size = pointAttribute->getSize();
    ParameterRead(*this).number(sizeKey, size);
    // The size drawn until now, bare: successive redraws run together.
    std::cerr << formatNumber(pointAttribute->getSize());
    setSize(size);
}

void PointShape::setSize(float size)
{
    if (std::isfinite(size) && size > 0.0f)
        pointAttribute->setSize(size);
}

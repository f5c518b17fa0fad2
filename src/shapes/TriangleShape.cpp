#include "TriangleShape.h"

TriangleShape::TriangleShape(std::string userName, std::string objectName)
    : VertexShape(userName, objectName, "triangle", osg::PrimitiveSet::TRIANGLES)
{
    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_LIGHTING, osg::StateAttribute::ON);
    for (int light = 0; light < 8; ++light)
        stateSet->setMode(GL_LIGHT0 + light, osg::StateAttribute::ON);
}

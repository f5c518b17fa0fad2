#include "ShapeStateModes.h"

#include <osg/Material>

void switchOnLights(osg::StateSet& stateSet)
{
    stateSet.setMode(GL_LIGHTING, osg::StateAttribute::ON);
    for (int light = 0; light < 8; ++light)
        stateSet.setMode(GL_LIGHT0 + light, osg::StateAttribute::ON);
}

void addColourMaterial(osg::StateSet& stateSet)
{
    osg::Material* material = new osg::Material();
    material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
    stateSet.setAttributeAndModes(material, osg::StateAttribute::ON);
}

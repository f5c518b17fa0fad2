#include "LightingState.h"

void switchOnLights(osg::StateSet& stateSet)
{
    stateSet.setMode(GL_LIGHTING, osg::StateAttribute::ON);
    for (int light = 0; light < 8; ++light)
        stateSet.setMode(GL_LIGHT0 + light, osg::StateAttribute::ON);
}

osg::Material* addColourMaterial(osg::StateSet& stateSet, osg::StateAttribute::GLModeValue materialValue)
{
    osg::Material* material = new osg::Material();
    material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
    stateSet.setAttributeAndModes(material, materialValue);
    return material;
}

osg::Material* applyLighting(osg::StateSet& stateSet, osg::StateAttribute::GLModeValue materialValue)
{
    switchOnLights(stateSet);
    return addColourMaterial(stateSet, materialValue);
}

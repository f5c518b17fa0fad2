#pragma once
// The state-set modes that several shapes switch on in their constructors.
// Called once per shape, before its drawable is in the scene.

#include <osg/StateSet>

// Lighting, with each of the lights 0 to 7, switched on.
void switchOnLights(osg::StateSet& stateSet);

// A material whose ambient and diffuse colours follow the shape's colour
// array, switched on.
void addColourMaterial(osg::StateSet& stateSet);

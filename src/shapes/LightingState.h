#pragma once
// The lit look that most shapes share: lighting and the lights 0 to 7
// switched on in the drawable's state set, and a material whose ambient and
// diffuse colours follow the drawable's colour. Called from a shape's
// constructor, before the drawable is in the scene.

#include <osg/Material>
#include <osg/StateAttribute>
#include <osg/StateSet>

// Lighting, with each of the lights 0 to 7, switched on.
void switchOnLights(osg::StateSet& stateSet);

// Attaches a new colour-tracking material with the given value (ON, or
// ON|OVERRIDE for a state set that a loaded model shares); gives the material.
osg::Material* addColourMaterial(osg::StateSet& stateSet,
                                 osg::StateAttribute::GLModeValue materialValue = osg::StateAttribute::ON);

// Both: the lights on and a colour-tracking material.
osg::Material* applyLighting(osg::StateSet& stateSet,
                             osg::StateAttribute::GLModeValue materialValue = osg::StateAttribute::ON);

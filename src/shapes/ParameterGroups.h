#pragma once
// Reading the groups of parameters that several shape types share, by the
// names the definitions table gives them, in one call each, through the
// redraw's ParameterRead (BasicShape.h). Like the single reads, a component
// whose parameter holds no number keeps the value it had.

#include "BasicShape.h"
#include "ShapeRules.h"

#include <osg/Vec3f>
#include <osg/Vec4f>

// The highest vertex number that a group's names may carry.
constexpr unsigned maxVertexNumber = 4;

// `x`, `y`, `z` followed by the vertex number (none for 0; "1" to "4").
void readPosition(BasicShape::ParameterRead& read, osg::Vec3f& position, unsigned vertexNumber = 0);
// `r`, `g`, `b`, `a` followed by the vertex number (none for 0; "1" to "4").
void readColour(BasicShape::ParameterRead& read, osg::Vec4f& colour, unsigned vertexNumber = 0);
// The position and the turns: `x`, `y`, `z`, `rot`, `rotx`, `roty`, `rotz`,
// `tilt`, `tiltx`, `tilty`, `tiltz`.
void readPlacement(BasicShape::ParameterRead& read, Placement& placement);
// `t1s`, `t1t` to `t4s`, `t4t`.
void readTextureCorners(BasicShape::ParameterRead& read, TextureCorners& corners);

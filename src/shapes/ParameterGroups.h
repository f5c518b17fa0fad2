#pragma once
// Reading the groups of parameters that several shape types share, by the
// names the definitions table gives them, in one call each. Like the single
// readers of BasicShape, a component whose parameter holds no number keeps
// the value it had. Called from a shape's redraw, under its lock.

#include "ShapeRules.h"

#include <osg/Vec3f>
#include <osg/Vec4f>
#include <string>

class BasicShape;

// `x`, `y`, `z` followed by the suffix (vertex numbers: "1", "2", ...).
void readPosition(BasicShape& shape, osg::Vec3f& position, const std::string& suffix = "");
// `r`, `g`, `b`, `a` followed by the suffix.
void readColour(BasicShape& shape, osg::Vec4f& colour, const std::string& suffix = "");
// The position and the turns: `x`, `y`, `z`, `rot`, `rotx`, `roty`, `rotz`,
// `tilt`, `tiltx`, `tilty`, `tiltz`.
void readPlacement(BasicShape& shape, Placement& placement);
// `t1s`, `t1t` to `t4s`, `t4t`.
void readTextureCorners(BasicShape& shape, TextureCorners& corners);

#pragma once
// The groups of parameters that several shape types share: the rows the
// definitions table registers for a group, and reading a group in one call.
// Like the single readers of BasicShape, a component whose parameter holds
// no number keeps the value it had. The readers are called from a shape's
// redraw, under its lock.

#include "ShapeRules.h"

#include <osg/Vec3f>
#include <osg/Vec4f>
#include <array>
#include <string>

class BasicShape;

// One number row of a group: its parameter and its default text.
struct GroupRow {
    const char* parameter;
    const char* defaultText;
};

// `rot`, `rotx`, `roty`, `rotz`, `tilt`, `tiltx`, `tilty`, `tiltz`: no turn.
extern const std::array<GroupRow, 8> turnRows;
// `t1s`, `t1t` to `t4s`, `t4t`: the corners of TextureCorners.
extern const std::array<GroupRow, 8> textureCornerRows;

// `x`, `y`, `z` followed by the suffix (vertex numbers: "1", "2", ...).
void readPosition(BasicShape& shape, osg::Vec3f& position, const std::string& suffix = "");
// `r`, `g`, `b`, `a` followed by the suffix.
void readColour(BasicShape& shape, osg::Vec4f& colour, const std::string& suffix = "");
// The position and the turns: `x`, `y`, `z` and the turn rows.
void readPlacement(BasicShape& shape, Placement& placement);
// The texture corner rows.
void readTextureCorners(BasicShape& shape, TextureCorners& corners);

#pragma once
// The groups of parameters that several shape types share: the rows the
// definitions table registers for a group, and reading a group in one call
// through the redraw's ParameterRead (BasicShape.h). Like the single reads,
// a component whose parameter holds no number keeps the value it had.

#include "BasicShape.h"
#include "ShapeRules.h"

#include <osg/Vec3f>
#include <osg/Vec4f>
#include <array>

// One number row of a group: its parameter and its default text.
struct GroupRow {
    const char* parameter;
    const char* defaultText;
};

// `rot`, `rotx`, `roty`, `rotz`, `tilt`, `tiltx`, `tilty`, `tiltz`: no turn.
extern const std::array<GroupRow, 8> turnRows;
// `t1s`, `t1t` to `t4s`, `t4t`: the corners of TextureCorners.
extern const std::array<GroupRow, 8> textureCornerRows;

// The highest vertex number that a group's names may carry.
constexpr unsigned maxVertexNumber = 4;

// `x`, `y`, `z` followed by the vertex number (none for 0; "1" to "4").
void readPosition(BasicShape::ParameterRead& read, osg::Vec3f& position, unsigned vertexNumber = 0);
// `r`, `g`, `b`, `a` followed by the vertex number (none for 0; "1" to "4").
void readColour(BasicShape::ParameterRead& read, osg::Vec4f& colour, unsigned vertexNumber = 0);
// The position and the turns: `x`, `y`, `z` and the turn rows.
void readPlacement(BasicShape::ParameterRead& read, Placement& placement);
// The texture corner rows.
void readTextureCorners(BasicShape::ParameterRead& read, TextureCorners& corners);

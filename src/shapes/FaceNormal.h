#pragma once
// The normal of a flat face from its corners in drawing order: the unit
// vector along the face's area vector, so that a face wound
// counter-clockwise as seen from a viewer points towards that viewer.
// (0, 0, 0) for a face without area (corners on one line or one point) or
// with a corner that is not finite.

#include <osg/Vec3f>
#include <cstddef>

osg::Vec3f faceNormal(const osg::Vec3f* corners, std::size_t count);

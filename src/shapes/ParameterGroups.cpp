#include "ParameterGroups.h"

#include "BasicShape.h"

void readPosition(BasicShape& shape, osg::Vec3f& position, const std::string& suffix)
{
    shape.getParameterValue("x" + suffix, position.x());
    shape.getParameterValue("y" + suffix, position.y());
    shape.getParameterValue("z" + suffix, position.z());
}

void readColour(BasicShape& shape, osg::Vec4f& colour, const std::string& suffix)
{
    shape.getParameterValue("r" + suffix, colour.r());
    shape.getParameterValue("g" + suffix, colour.g());
    shape.getParameterValue("b" + suffix, colour.b());
    shape.getParameterValue("a" + suffix, colour.a());
}

void readPlacement(BasicShape& shape, Placement& placement)
{
    readPosition(shape, placement.position);
    shape.getParameterValue("rot", placement.rot);
    shape.getParameterValue("rotx", placement.rotAxis.x());
    shape.getParameterValue("roty", placement.rotAxis.y());
    shape.getParameterValue("rotz", placement.rotAxis.z());
    shape.getParameterValue("tilt", placement.tilt);
    shape.getParameterValue("tiltx", placement.tiltAxis.x());
    shape.getParameterValue("tilty", placement.tiltAxis.y());
    shape.getParameterValue("tiltz", placement.tiltAxis.z());
}

void readTextureCorners(BasicShape& shape, TextureCorners& corners)
{
    static const char* const names[4][2] = {{"t1s", "t1t"}, {"t2s", "t2t"}, {"t3s", "t3t"}, {"t4s", "t4t"}};
    for (int corner = 0; corner < 4; ++corner) {
        shape.getParameterValue(names[corner][0], corners.corner[corner].x());
        shape.getParameterValue(names[corner][1], corners.corner[corner].y());
    }
}

#include "ParameterGroups.h"

#include "BasicShape.h"

const std::array<GroupRow, 8> turnRows = {{{"rot", "0.0"},
                                           {"rotx", "0.0"},
                                           {"roty", "0.0"},
                                           {"rotz", "0.0"},
                                           {"tilt", "0.0"},
                                           {"tiltx", "0.0"},
                                           {"tilty", "0.0"},
                                           {"tiltz", "0.0"}}};

const std::array<GroupRow, 8> textureCornerRows = {{{"t1s", "0.0"},
                                                    {"t1t", "0.0"},
                                                    {"t2s", "1.0"},
                                                    {"t2t", "0.0"},
                                                    {"t3s", "1.0"},
                                                    {"t3t", "1.0"},
                                                    {"t4s", "0.0"},
                                                    {"t4t", "1.0"}}};

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
    // In the order of the turn rows.
    float* const turns[turnRows.size()] = {
        &placement.rot,  &placement.rotAxis.x(),  &placement.rotAxis.y(),  &placement.rotAxis.z(),
        &placement.tilt, &placement.tiltAxis.x(), &placement.tiltAxis.y(), &placement.tiltAxis.z()};
    for (std::size_t row = 0; row < turnRows.size(); ++row)
        shape.getParameterValue(turnRows[row].parameter, *turns[row]);
}

void readTextureCorners(BasicShape& shape, TextureCorners& corners)
{
    // Each corner's s row, then its t row.
    for (std::size_t corner = 0; corner < 4; ++corner) {
        shape.getParameterValue(textureCornerRows[2 * corner].parameter, corners.corner[corner].x());
        shape.getParameterValue(textureCornerRows[2 * corner + 1].parameter, corners.corner[corner].y());
    }
}

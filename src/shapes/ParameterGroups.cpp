#include "ParameterGroups.h"

#include <string>
#include <vector>

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

namespace {

// The keys of the names, followed by each vertex number in turn: the names
// alone first, then with "1" to "4".
std::vector<ParameterKey> numberedKeys(const std::vector<std::string>& names)
{
    std::vector<ParameterKey> keys;
    for (unsigned vertex = 0; vertex <= maxVertexNumber; ++vertex)
        for (const std::string& name : names)
            keys.emplace_back(vertex == 0 ? name : name + std::to_string(vertex));
    return keys;
}

// The keys of a group's rows, in their order.
std::vector<ParameterKey> rowKeys(const std::array<GroupRow, 8>& rows)
{
    std::vector<ParameterKey> keys;
    for (const GroupRow& row : rows)
        keys.emplace_back(row.parameter);
    return keys;
}

const std::vector<ParameterKey> positionKeys = numberedKeys({"x", "y", "z"});
const std::vector<ParameterKey> colourKeys = numberedKeys({"r", "g", "b", "a"});
const std::vector<ParameterKey> turnKeys = rowKeys(turnRows);
const std::vector<ParameterKey> textureCornerKeys = rowKeys(textureCornerRows);

}  // namespace

void readPosition(BasicShape::ParameterRead& read, osg::Vec3f& position, unsigned vertexNumber)
{
    const ParameterKey* keys = &positionKeys.at(3 * vertexNumber);
    read.number(keys[0], position.x());
    read.number(keys[1], position.y());
    read.number(keys[2], position.z());
}

void readColour(BasicShape::ParameterRead& read, osg::Vec4f& colour, unsigned vertexNumber)
{
    const ParameterKey* keys = &colourKeys.at(4 * vertexNumber);
    read.number(keys[0], colour.r());
    read.number(keys[1], colour.g());
    read.number(keys[2], colour.b());
    read.number(keys[3], colour.a());
}

void readPlacement(BasicShape::ParameterRead& read, Placement& placement)
{
    readPosition(read, placement.position);
    // In the order of the turn rows.
    const ParameterKey* keys = turnKeys.data();
    read.number(keys[0], placement.rot);
    read.number(keys[1], placement.rotAxis.x());
    read.number(keys[2], placement.rotAxis.y());
    read.number(keys[3], placement.rotAxis.z());
    read.number(keys[4], placement.tilt);
    read.number(keys[5], placement.tiltAxis.x());
    read.number(keys[6], placement.tiltAxis.y());
    read.number(keys[7], placement.tiltAxis.z());
}

void readTextureCorners(BasicShape::ParameterRead& read, TextureCorners& corners)
{
    // Each corner's s row, then its t row.
    for (std::size_t corner = 0; corner < 4; ++corner) {
        read.number(textureCornerKeys[2 * corner], corners.corner[corner].x());
        read.number(textureCornerKeys[2 * corner + 1], corners.corner[corner].y());
    }
}

#include "ParameterGroups.h"

#include <string>
#include <vector>

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

const std::vector<ParameterKey> positionKeys = numberedKeys({"x", "y", "z"});
const std::vector<ParameterKey> colourKeys = numberedKeys({"r", "g", "b", "a"});
const ParameterKey rotKey("rot"), rotxKey("rotx"), rotyKey("roty"), rotzKey("rotz");
const ParameterKey tiltKey("tilt"), tiltxKey("tiltx"), tiltyKey("tilty"), tiltzKey("tiltz");
const std::vector<ParameterKey> cornerKeys = {ParameterKey("t1s"), ParameterKey("t1t"), ParameterKey("t2s"),
                                              ParameterKey("t2t"), ParameterKey("t3s"), ParameterKey("t3t"),
                                              ParameterKey("t4s"), ParameterKey("t4t")};

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
    read.number(rotKey, placement.rot);
    read.number(rotxKey, placement.rotAxis.x());
    read.number(rotyKey, placement.rotAxis.y());
    read.number(rotzKey, placement.rotAxis.z());
    read.number(tiltKey, placement.tilt);
    read.number(tiltxKey, placement.tiltAxis.x());
    read.number(tiltyKey, placement.tiltAxis.y());
    read.number(tiltzKey, placement.tiltAxis.z());
}

void readTextureCorners(BasicShape::ParameterRead& read, TextureCorners& corners)
{
    for (int corner = 0; corner < 4; ++corner) {
        read.number(cornerKeys[2 * corner], corners.corner[corner].x());
        read.number(cornerKeys[2 * corner + 1], corners.corner[corner].y());
    }
}

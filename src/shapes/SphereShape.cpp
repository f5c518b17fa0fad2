#include "SphereShape.h"

#include "FullName.h"
#include "LightingState.h"
#include "ParameterGroups.h"

#include <osg/Math>
#include <cmath>

namespace {

const ParameterKey textureKey("texture"), radiusKey("radius");

// The grid steps 1 / (count - 1), divided in double and kept in single precision.
float gridStep(unsigned count) { return static_cast<float>(1.0 / static_cast<float>(count - 1)); }

// Copies a grid into the quads' corners, cell after cell.
template <typename Array, typename Grid>
void writeCellCorners(Array& corners, const Grid& grid)
{
    const unsigned sectors = SphereShape::sectors;
    unsigned k = 0;
    for (unsigned r = 0; r + 1 < SphereShape::rings; ++r)
        for (unsigned s = 0; s + 1 < sectors; ++s) {
            corners[k++] = grid[r * sectors + s];
            corners[k++] = grid[r * sectors + s + 1];
            corners[k++] = grid[(r + 1) * sectors + s + 1];
            corners[k++] = grid[(r + 1) * sectors + s];
        }
}

}  // namespace

SphereShape::SphereShape(std::string userName, std::string objectName)
    : pointGrid(gridPoints), normalGrid(gridPoints)
{
    createMapping(userName, objectName, "sphere", this);
    BasicShape::setName(fullName(userName, objectName));

    vertices = new osg::Vec3Array(cornerCount);
    normals = new osg::Vec3Array(cornerCount);
    colors = new osg::Vec4Array(1);
    texCoords = new osg::Vec2Array(cornerCount);
    setTexCoords();
    setVertexArray(vertices);
    setNormalArray(normals, osg::Array::BIND_PER_VERTEX);
    setColorArray(colors, osg::Array::BIND_OVERALL);
    setTexCoordArray(0, texCoords, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, cornerCount));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    applyLighting(*stateSet);
}

void SphereShape::setTexCoords()
{
    const float dR = gridStep(rings);
    const float dS = gridStep(sectors);
    std::vector<osg::Vec2f> texGrid(gridPoints);
    for (unsigned r = 0; r < rings; ++r)
        for (unsigned s = 0; s < sectors; ++s)
            texGrid[r * sectors + s].set(static_cast<float>(sectors - 1 - s) * dS, static_cast<float>(r) * dR);
    writeCellCorners(*texCoords, texGrid);
}

void SphereShape::redraw()
{
    float radius = 1.0f;
    Placement placement;
    osg::Vec4f colour(0.0f, 0.0f, 0.0f, 0.0f);
    std::string texture;

    std::string shaderName;
    {
        ParameterRead read(*this);
        readPlacement(read, placement);
        readColour(read, colour);
        read.text(textureKey, texture);
        read.number(radiusKey, radius);
        shader.readName(read, shaderName);
    }
    const ShaderPaths shaderPaths = shader.paths(shaderName);

    // "None" and the empty text leave an earlier texture on.
    if (texture != "None" && !texture.empty())
        setTextureImage(texture);
    setShapePosition(placement, radius);
    setShapeColor(colour);
    shader.apply(*getOrCreateStateSet(), shaderPaths);

    // The texture coordinates never change.
    vertices->dirty();
    normals->dirty();
    colors->dirty();
    dirtyBound();
}

void SphereShape::setShapePosition(const Placement& placement, float radius)
{
    const PlacementTransform transform(placement);
    const double dR = gridStep(rings);
    const double dS = gridStep(sectors);
    for (unsigned r = 0; r < rings; ++r)
        for (unsigned s = 0; s < sectors; ++s) {
            const double theta = r * osg::PI * dR;
            const double phi = s * (2.0 * osg::PI) * dS;
            const osg::Vec3f unit(static_cast<float>(std::cos(phi) * std::sin(theta)),
                                  static_cast<float>(std::sin(phi) * std::sin(theta)),
                                  static_cast<float>(std::sin(theta - osg::PI_2)));
            pointGrid[r * sectors + s] = transform.point(unit * radius);
            normalGrid[r * sectors + s] = transform.normal(unit);
        }
    writeCellCorners(*vertices, pointGrid);
    writeCellCorners(*normals, normalGrid);
}

void SphereShape::setShapeColor(const osg::Vec4f& colour)
{
    colors->front() = colour;
    applyColourBin(*getOrCreateStateSet(), {colour.a()});
}

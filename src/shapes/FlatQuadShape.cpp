#include "FlatQuadShape.h"

#include "LightingState.h"
#include "ParameterGroups.h"

#include <algorithm>
#include <string>

namespace {

const ParameterKey textureKey("texture");

}  // namespace

FlatQuadShape::FlatQuadShape()
{
    vertices = new osg::Vec3Array(4);
    colors = new osg::Vec4Array(1);
    normals = new osg::Vec3Array(1);
    texCoords = new osg::Vec2Array(4);
    setVertexArray(vertices);
    setNormalArray(normals, osg::Array::BIND_PER_PRIMITIVE_SET);
    setColorArray(colors, osg::Array::BIND_OVERALL);
    setTexCoordArray(0, texCoords, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, 4));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    addColourMaterial(*stateSet);
}

void FlatQuadShape::setPosition(const Placement& placement, float width, float height)
{
    const PlacementTransform transform(placement);
    const float w = width * 0.5f;
    const float h = height * 0.5f;
    const osg::Vec3f corners[4] = {{-w, 0.0f, -h}, {w, 0.0f, -h}, {w, 0.0f, h}, {-w, 0.0f, h}};
    normals->front() = transform.normal(osg::Vec3f(0.0f, -1.0f, 0.0f));
    for (int corner = 0; corner < 4; ++corner)
        (*vertices)[corner] = transform.point(corners[corner]);
}

void FlatQuadShape::setColor(const osg::Vec4f& colour)
{
    colors->front() = colour;
    applyColourBin(*getOrCreateStateSet(), {colour.a()});
}

void FlatQuadShape::setTextureCoords(const TextureCorners& corners) { writeTextureCorners(*texCoords, corners); }

void FlatQuadShape::redrawQuad(float width, float height)
{
    Placement placement;
    osg::Vec4f colour = colors->front();
    TextureCorners corners;
    std::copy(texCoords->begin(), texCoords->end(), corners.corner);

    {
        ParameterRead read(*this);
        readPlacement(read, placement);
        readColour(read, colour);
        readTextureCorners(read, corners);
    }

    setPosition(placement, width, height);
    setColor(colour);
    setTextureCoords(corners);

    colors->dirty();
    normals->dirty();
    vertices->dirty();
    texCoords->dirty();
    dirtyBound();
}

void FlatQuadShape::showTextureParameter()
{
    std::string texture;
    ParameterRead(*this).text(textureKey, texture);
    setTextureImage(texture);
}

#include "VideoShape.h"

#include "LightingState.h"
#include "ParameterGroups.h"

#include <algorithm>

VideoShape::VideoShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "video", this);
    BasicShape::setName(userName + ":" + objectName);

    vertices = new osg::Vec3Array(4);
    normals = new osg::Vec3Array(1);
    colors = new osg::Vec4Array(1);
    texCoords = new osg::Vec2Array(4);
    setVertexArray(vertices);
    setNormalArray(normals, osg::Array::BIND_OVERALL);  // the one quad's normal
    setColorArray(colors, osg::Array::BIND_OVERALL);
    setTexCoordArray(0, texCoords, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, 4));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    applyLighting(*stateSet);
}

void VideoShape::redraw()
{
    float size = 1.0f;
    Placement placement;
    osg::Vec4f colour = colors->front();
    TextureCorners corners;
    std::copy(texCoords->begin(), texCoords->end(), corners.corner);
    std::string file;

    readPlacement(*this, placement);
    getParameterValue("size", size);
    readColour(*this, colour);
    getParameterString("file", file);
    readTextureCorners(*this, corners);

    setPosition(placement, size);
    setColor(colour);
    setTextureCoords(corners);
    setVideoTexture(file);

    colors->dirty();
    normals->dirty();
    vertices->dirty();
    texCoords->dirty();
    dirtyBound();
}

void VideoShape::setPosition(const Placement& placement, float size)
{
    const PlacementTransform transform(placement);
    const float h = size * 0.5f;
    const osg::Vec3f corners[4] = {{-h, 0, -h}, {h, 0, -h}, {h, 0, h}, {-h, 0, h}};
    normals->front() = transform.normal(osg::Vec3f(0, -1, 0));
    for (int k = 0; k < 4; ++k)
        (*vertices)[k] = transform.point(corners[k]);
}

void VideoShape::setColor(const osg::Vec4f& colour)
{
    colors->front() = colour;
    applyColourBin(*getOrCreateStateSet(), {colour.a()});
}

void VideoShape::setTextureCoords(const TextureCorners& corners) { writeTextureCorners(*texCoords, corners); }

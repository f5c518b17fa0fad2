#pragma once
// The floor of the scale benchmarks: a cube in plain OpenSceneGraph, with
// the arrays, bindings, primitive set and state that the viewer's cube
// draws with, and no binding, lock, callback or value store. All bare cubes
// share one state set, as a plain OpenSceneGraph program would.

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/Program>
#include <osg/StateSet>

namespace scale {

// The cube's state: blending, lighting with lights 0 to 7, a material
// following the colour, the default bin and no shader program.
inline osg::StateSet* bareCubeState()
{
    static osg::ref_ptr<osg::StateSet> state = [] {
        osg::ref_ptr<osg::StateSet> made = new osg::StateSet();
        made->setMode(GL_BLEND, osg::StateAttribute::ON);
        made->setMode(GL_LIGHTING, osg::StateAttribute::ON);
        for (int light = 0; light < 8; ++light)
            made->setMode(GL_LIGHT0 + light, osg::StateAttribute::ON);
        osg::ref_ptr<osg::Material> material = new osg::Material();
        material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
        made->setAttributeAndModes(material.get(), osg::StateAttribute::ON);
        made->setAttributeAndModes(new osg::Program(), osg::StateAttribute::OFF);
        made->setRenderingHint(osg::StateSet::DEFAULT_BIN);
        return made;
    }();
    return state.get();
}

// Writes a white cube of edge size centred on the position: 24 vertices and
// normals, face by face, the texture corners and the colour, and marks
// the arrays and the bound changed.
inline void writeBareCube(osg::Geometry& geometry, const osg::Vec3f& at, float size)
{
    static const int faces[6][4] = {{3, 0, 1, 2}, {2, 1, 4, 7}, {7, 4, 5, 6}, {6, 5, 0, 3}, {7, 2, 3, 6}, {5, 0, 1, 4}};
    static const osg::Vec3f normals[6] = {{0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
    static const osg::Vec2f corners[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const float h = size * 0.5f;
    const osg::Vec3f c[8] = {at + osg::Vec3f(-h, -h, -h), at + osg::Vec3f(h, -h, -h), at + osg::Vec3f(h, -h, h),
                             at + osg::Vec3f(-h, -h, h),  at + osg::Vec3f(h, h, -h),  at + osg::Vec3f(-h, h, -h),
                             at + osg::Vec3f(-h, h, h),   at + osg::Vec3f(h, h, h)};
    auto* vertexArray = static_cast<osg::Vec3Array*>(geometry.getVertexArray());
    auto* normalArray = static_cast<osg::Vec3Array*>(geometry.getNormalArray());
    auto* texArray = static_cast<osg::Vec2Array*>(geometry.getTexCoordArray(0));
    auto* colourArray = static_cast<osg::Vec4Array*>(geometry.getColorArray());
    for (int face = 0; face < 6; ++face)
        for (int k = 0; k < 4; ++k) {
            (*vertexArray)[4 * face + k] = c[faces[face][k]];
            (*normalArray)[4 * face + k] = normals[face];
            (*texArray)[4 * face + k] = corners[k];
        }
    (*colourArray)[0].set(1, 1, 1, 1);
    colourArray->dirty();
    normalArray->dirty();
    vertexArray->dirty();
    texArray->dirty();
    geometry.dirtyBound();
}

// A bare cube in a geode of its own, as the viewer puts each shape.
inline osg::Geode* makeBareCube(const osg::Vec3f& at, float size)
{
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry();
    geometry->setUseDisplayList(false);
    geometry->setUseVertexBufferObjects(true);
    geometry->setVertexArray(new osg::Vec3Array(24));
    geometry->setNormalArray(new osg::Vec3Array(24), osg::Array::BIND_PER_VERTEX);
    geometry->setColorArray(new osg::Vec4Array(1), osg::Array::BIND_OVERALL);
    geometry->setTexCoordArray(0, new osg::Vec2Array(24), osg::Array::BIND_PER_VERTEX);
    geometry->addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, 24));
    geometry->setStateSet(bareCubeState());
    writeBareCube(*geometry, at, size);
    osg::Geode* geode = new osg::Geode();
    geode->addDrawable(geometry.get());
    return geode;
}

}  // namespace scale

#include "VertexShape.h"

#include "FaceNormal.h"
#include "FullName.h"
#include "LightingState.h"
#include "ParameterGroups.h"
#include "ShapeRules.h"

#include <algorithm>
#include <utility>

namespace {

// The alphas of all the colours as one list for the colour bin rule.
template <std::size_t N, std::size_t... K>
void applyBinOfAll(osg::StateSet& stateSet, const std::array<osg::Vec4f, N>& colours,
                   std::index_sequence<K...>)
{
    applyColourBin(stateSet, {colours[K].a()...});
}

}  // namespace

template <std::size_t N>
VertexShape<N>::VertexShape(const std::string& userName, const std::string& objectName, const char* typeWord,
                            osg::PrimitiveSet::Mode mode)
    : typeWord(typeWord)
{
    createMapping(userName, objectName, typeWord, this);
    BasicShape::setName(fullName(userName, objectName));

    vertices = new osg::Vec3Array(N);
    colors = new osg::Vec4Array(N);
    setVertexArray(vertices);
    setColorArray(colors, osg::Array::BIND_PER_VERTEX);
    if (isFace) {
        normals = new osg::Vec3Array(1);
        setNormalArray(normals, osg::Array::BIND_PER_PRIMITIVE_SET);
    }
    addPrimitiveSet(new osg::DrawArrays(mode, 0, N));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    addColourMaterial(*stateSet);
}

template <std::size_t N>
void VertexShape<N>::redraw()
{
    Positions positions;
    Colours colours;
    {
        ParameterRead read(*this);
        for (std::size_t k = 0; k < N; ++k) {
            const unsigned vertexNumber = N == 1 ? 0 : static_cast<unsigned>(k + 1);
            positions[k] = (*vertices)[k];
            colours[k] = (*colors)[k];
            readPosition(read, positions[k], vertexNumber);
            readColour(read, colours[k], vertexNumber);
        }
    }

    setPosition(positions);
    setColor(colours);

    colors->dirty();
    vertices->dirty();
    if (normals != nullptr)
        normals->dirty();
    dirtyBound();
}

template <std::size_t N>
void VertexShape<N>::setPosition(const Positions& positions)
{
    std::copy(positions.begin(), positions.end(), vertices->begin());
    if (normals != nullptr)
        normals->front() = faceNormal(positions.data(), N);
}

template <std::size_t N>
void VertexShape<N>::setColor(const Colours& colours)
{
    std::copy(colours.begin(), colours.end(), colors->begin());
    applyBinOfAll(*getOrCreateStateSet(), colours, std::make_index_sequence<N>());
}

template class VertexShape<1>;
template class VertexShape<3>;
template class VertexShape<4>;

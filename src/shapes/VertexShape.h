#pragma once
// The family of shapes drawn from N vertices whose positions and colours
// come straight from their parameters, in scene space, without placement,
// texture or shader: the point (1 vertex), the triangle (3) and the quad
// (4). Vertex k reads `x<k>`, `y<k>`, `z<k>`, `r<k>`, `g<k>`, `b<k>`,
// `a<k>` (the point's names have no digit); a component whose parameter
// holds no number keeps the value last drawn. The faces (3 and 4 vertices)
// carry one normal for their primitive set, computed from their corners on
// every redraw, so that a face wound counter-clockwise towards the viewer
// is lit. Threading as every shape (DrawableBinding.h).

#include "GeometryShape.h"

#include <osg/Array>
#include <osg/PrimitiveSet>
#include <array>
#include <cstddef>
#include <string>

template <std::size_t N>
class VertexShape : public GeometryShape {
public:
    using Positions = std::array<osg::Vec3f, N>;
    using Colours = std::array<osg::Vec4f, N>;

    std::string getType() override { return typeWord; }

    // Vertex k takes positions[k]; a face also takes its new normal.
    void setPosition(const Positions& positions);
    // Colour k takes colours[k]; the render bin follows all N alphas.
    void setColor(const Colours& colours);

protected:
    // Binds the parameters of the type word, names the shape user:object and
    // makes its arrays, bindings, primitive set, blending and material.
    VertexShape(const std::string& userName, const std::string& objectName, const char* typeWord,
                osg::PrimitiveSet::Mode mode);
    ~VertexShape() override = default;

    void redraw() override;

private:
    static constexpr bool isFace = N >= 3;

    std::string typeWord;
    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec3Array* normals = nullptr;  // faces only: one normal for the primitive set
};

extern template class VertexShape<1>;
extern template class VertexShape<3>;
extern template class VertexShape<4>;

#pragma once
// The shape of type word "quad": four vertices with a colour each, drawn as
// one quadrilateral with its face normal, lit as the state above it says.
// Threading as every shape (DrawableBinding.h).

#include "VertexShape.h"

#include <string>

class QuadShape : public VertexShape<4> {
public:
    QuadShape(std::string userName, std::string objectName)
        : VertexShape(userName, objectName, "quad", osg::PrimitiveSet::QUADS)
    {
    }
};

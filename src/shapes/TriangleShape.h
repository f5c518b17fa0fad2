#pragma once
// The shape of type word "triangle": three vertices with a colour each,
// lit with its face normal by the lights 0 to 7. Threading as every shape
// (DrawableBinding.h).

#include "VertexShape.h"

#include <string>

class TriangleShape : public VertexShape<3> {
public:
    TriangleShape(std::string userName, std::string objectName);
};

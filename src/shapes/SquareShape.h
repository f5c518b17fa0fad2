#pragma once
// The shape of type word "square": a flat square of edge `size` around its
// centre, lit, in one colour, optionally textured and drawn through a
// shader pair. Threading as every shape (DrawableBinding.h).

#include "FlatQuadShape.h"
#include "ShapeShader.h"

#include <string>

class SquareShape : public FlatQuadShape {
public:
    SquareShape(std::string userName, std::string objectName);

    std::string getType() override { return "square"; }

protected:
    void redraw() override;

private:
    ShapeShader shader;
};

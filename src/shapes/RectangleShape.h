#pragma once
// The shape of type word "rectangle": a flat rectangle `width` wide and
// `height` high around its centre, in one colour, optionally textured. It
// sets no lighting of its own and has no shader. Threading as every shape
// (DrawableBinding.h).

#include "FlatQuadShape.h"

#include <string>

class RectangleShape : public FlatQuadShape {
public:
    RectangleShape(std::string userName, std::string objectName);

    std::string getType() override { return "rectangle"; }

protected:
    void redraw() override;
};

#include "RectangleShape.h"

#include "FullName.h"

namespace {

const ParameterKey widthKey("width"), heightKey("height");

}  // namespace

RectangleShape::RectangleShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "rectangle", this);
    BasicShape::setName(fullName(userName, objectName));
}

void RectangleShape::redraw()
{
    float width = 1.0f;
    float height = 1.0f;
    {
        ParameterRead read(*this);
        read.number(widthKey, width);
        read.number(heightKey, height);
    }
    redrawQuad(width, height);
    showTextureParameter();
}

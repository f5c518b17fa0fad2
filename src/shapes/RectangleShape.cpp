#include "RectangleShape.h"

#include "FullName.h"

RectangleShape::RectangleShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "rectangle", this);
    BasicShape::setName(fullName(userName, objectName));
}

void RectangleShape::redraw()
{
    float width = 1.0f;
    float height = 1.0f;
    getParameterValue("width", width);
    getParameterValue("height", height);
    redrawQuad(width, height);
    showTextureParameter();
}

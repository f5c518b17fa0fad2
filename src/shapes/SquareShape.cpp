#include "SquareShape.h"

#include "FullName.h"
#include "LightingState.h"

SquareShape::SquareShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "square", this);
    BasicShape::setName(fullName(userName, objectName));
    switchOnLights(*getOrCreateStateSet());
}

void SquareShape::redraw()
{
    float size = 1.0f;
    getParameterValue("size", size);
    redrawQuad(size, size);
    showTextureParameter();
    shader.apply(*getOrCreateStateSet(), shader.paths(*this));
}

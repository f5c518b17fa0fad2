#include "SquareShape.h"

#include "FullName.h"
#include "LightingState.h"

namespace {

const ParameterKey sizeKey("size");

}  // namespace

SquareShape::SquareShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "square", this);
    BasicShape::setName(fullName(userName, objectName));
    switchOnLights(*getOrCreateStateSet());
}

void SquareShape::redraw()
{
    float size = 1.0f;
    std::string shaderName;
    {
        ParameterRead read(*this);
        read.number(sizeKey, size);
        shader.readName(read, shaderName);
    }
    redrawQuad(size, size);
    showTextureParameter();
    shader.apply(*getOrCreateStateSet(), shader.paths(shaderName));
}

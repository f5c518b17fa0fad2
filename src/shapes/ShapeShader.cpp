#include "ShapeShader.h"

#include "BasicShape.h"
#include "Config.h"

ShapeShader::ShapeShader() : shaderDir(Config::getInstance()->get("Shader")) {}

ShaderPaths ShapeShader::paths(BasicShape& shape) const
{
    std::string name;
    shape.getParameterString("shader", name);
    return shaderPaths(shaderDir, name);
}

#include "ShapeShader.h"

#include "Config.h"

namespace {

const ParameterKey shaderKey("shader");

}  // namespace

ShapeShader::ShapeShader() : shaderDir(Config::getInstance()->get("Shader")) {}

bool ShapeShader::readName(BasicShape::ParameterRead& read, std::string& name)
{
    return read.text(shaderKey, name);
}

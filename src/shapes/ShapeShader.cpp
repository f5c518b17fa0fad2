#include "ShapeShader.h"

#include "Config.h"

namespace {

const ParameterKey shaderKey("shader");

}  // namespace

ShapeShader::ShapeShader() : shaderDir(Config::getInstance()->get("Shader")) {}

void ShapeShader::readName(BasicShape::ParameterRead& read, std::string& name) { read.text(shaderKey, name); }

#pragma once
// The `shader` parameter of a shape: the setting Shader, read once when the
// shape is made, prefixes the name that the parameter holds (ShaderProgram.h
// gives the rule). Used in the shape's redraw, in the main thread.

#include "BasicShape.h"
#include "ShaderProgram.h"

#include <osg/StateSet>
#include <string>

class ShapeShader {
public:
    ShapeShader();

    // Reads the name that the shape's `shader` parameter holds (name stays
    // as it was when the parameter holds no string).
    static void readName(BasicShape::ParameterRead& read, std::string& name);
    // The paths that the name gives.
    ShaderPaths paths(const std::string& name) const { return shaderPaths(shaderDir, name); }
    // Attaches the program of those paths to the state set.
    void apply(osg::StateSet& stateSet, const ShaderPaths& paths) { program.apply(stateSet, paths); }

    osg::Program* current() const { return program.current(); }

private:
    std::string shaderDir;
    ShaderProgram program;
};

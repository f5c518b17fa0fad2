#pragma once
// The `shader` parameter of a shape: the setting Shader, read once when the
// shape is made, prefixes the name that the parameter holds (ShaderProgram.h
// gives the rule). Used in the shape's redraw, under its lock.

#include "ShaderProgram.h"

#include <osg/StateSet>
#include <string>

class BasicShape;

class ShapeShader {
public:
    ShapeShader();

    // The paths that the shape's `shader` parameter names (empty text when
    // it holds no string).
    ShaderPaths paths(BasicShape& shape) const;
    // Attaches the program of those paths to the state set.
    void apply(osg::StateSet& stateSet, const ShaderPaths& paths) { program.apply(stateSet, paths); }

    osg::Program* current() const { return program.current(); }

private:
    std::string shaderDir;
    ShaderProgram program;
};

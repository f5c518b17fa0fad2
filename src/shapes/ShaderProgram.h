#pragma once
// The shader rule of the shapes with a `shader` parameter. The name "None"
// draws without shaders; any other name reads <Shader setting><name>.vert
// and .frag, joined as they stand.
//
// A shape keeps one ShaderProgram and hands it its paths on every redraw;
// the program is built again only when a path, or a file's modification
// time or size, changes, so editing a shader file while the viewer runs
// still shows. A shape's program is used only in its redraw, in the main
// thread; the cubes' common state applies the "None" program once, when the
// first cube is made on the command thread, before any cube is drawn.

#include <osg/Program>
#include <osg/StateSet>
#include <osg/ref_ptr>
#include <ctime>
#include <string>

struct ShaderPaths {
    std::string vertex;
    std::string fragment;
    bool refused = false;  // the name is no safe file name: read like missing files
    bool operator==(const ShaderPaths& other) const
    {
        return vertex == other.vertex && fragment == other.fragment && refused == other.refused;
    }
};

// Both paths "None" for the name "None" (case-sensitive); otherwise
// shaderDir + name + ".vert" and shaderDir + name + ".frag", refused when
// the name is no safe file name (SafeFileName.h).
ShaderPaths shaderPaths(const std::string& shaderDir, const std::string& shaderName);
// Whether the name is "None", which draws without shaders.
bool isNoShader(const std::string& shaderName);

// What a shader file was when it was read: absent, or its time and size.
struct ShaderFileStamp {
    bool present = false;
    std::time_t seconds = 0;
    long nanoseconds = 0;
    long long size = 0;
    bool operator==(const ShaderFileStamp& other) const
    {
        return present == other.present && seconds == other.seconds &&
               nanoseconds == other.nanoseconds && size == other.size;
    }
    bool operator!=(const ShaderFileStamp& other) const { return !(*this == other); }
};

// The stamp of a regular file at the path; absent for anything else.
ShaderFileStamp stampShaderFile(const std::string& path);

class ShaderProgram {
public:
    // Attaches to the state set: for "None" the one empty program shared by
    // all shapes, switched off; otherwise a program of the shaders that could
    // be read, switched on. A file that cannot be read writes one error line
    // naming it each time the program is built.
    void apply(osg::StateSet& stateSet, const ShaderPaths& paths);

    // The program attached by the last apply (for tests).
    osg::Program* current() const { return program.get(); }

private:
    bool unchanged(const ShaderPaths& paths, const ShaderFileStamp& vertex,
                   const ShaderFileStamp& fragment) const;

    bool built = false;
    ShaderPaths builtPaths;
    ShaderFileStamp vertexStamp;
    ShaderFileStamp fragmentStamp;
    osg::ref_ptr<osg::Program> program;
};

#include "ShaderProgram.h"

#include "SafeFileName.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sys/stat.h>

namespace {

const std::string noShader = "None";

// The empty program of every shape drawn without shaders; made once, never
// changed.
osg::Program* emptyProgram()
{
    static osg::ref_ptr<osg::Program> empty = new osg::Program();
    return empty.get();
}

// The shader of the given type with the file's source, or null with an
// error line when the file cannot be read.
osg::ref_ptr<osg::Shader> readShader(osg::Shader::Type type, const std::string& path,
                                     const ShaderFileStamp& stamp)
{
    if (stamp.present) {
        std::ifstream file(path, std::ios::binary);
        std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.good() || file.eof())
            return new osg::Shader(type, source);
    }
    std::cerr << "Error no shader found: " + printableText(path) + "\n";
    return nullptr;
}

}  // namespace

bool isNoShader(const std::string& shaderName) { return shaderName == noShader; }

ShaderPaths shaderPaths(const std::string& shaderDir, const std::string& shaderName)
{
    if (isNoShader(shaderName))
        return {noShader, noShader, false};
    return {shaderDir + shaderName + ".vert", shaderDir + shaderName + ".frag", !isSafeFileName(shaderName)};
}

ShaderFileStamp stampShaderFile(const std::string& path)
{
    ShaderFileStamp stamp;
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return stamp;
    stamp.present = true;
    stamp.seconds = status.st_mtim.tv_sec;
    stamp.nanoseconds = status.st_mtim.tv_nsec;
    stamp.size = static_cast<long long>(status.st_size);
    return stamp;
}

bool ShaderProgram::unchanged(const ShaderPaths& paths, const ShaderFileStamp& vertex,
                              const ShaderFileStamp& fragment) const
{
    return built && paths == builtPaths && vertex == vertexStamp && fragment == fragmentStamp;
}

void ShaderProgram::apply(osg::StateSet& stateSet, const ShaderPaths& paths)
{
    if (paths.vertex == noShader || paths.fragment == noShader) {
        program = emptyProgram();
        built = false;
        if (stateSet.getAttribute(osg::StateAttribute::PROGRAM) != program.get())
            stateSet.setAttributeAndModes(program.get(), osg::StateAttribute::OFF);
        return;
    }
    const ShaderFileStamp vertex = paths.refused ? ShaderFileStamp() : stampShaderFile(paths.vertex);
    const ShaderFileStamp fragment = paths.refused ? ShaderFileStamp() : stampShaderFile(paths.fragment);
    if (unchanged(paths, vertex, fragment) && stateSet.getAttribute(osg::StateAttribute::PROGRAM) == program.get())
        return;

    program = new osg::Program();
    if (osg::ref_ptr<osg::Shader> shader = readShader(osg::Shader::VERTEX, paths.vertex, vertex))
        program->addShader(shader.get());
    if (osg::ref_ptr<osg::Shader> shader = readShader(osg::Shader::FRAGMENT, paths.fragment, fragment))
        program->addShader(shader.get());
    stateSet.setAttributeAndModes(program.get(), osg::StateAttribute::ON);
    built = true;
    builtPaths = paths;
    vertexStamp = vertex;
    fragmentStamp = fragment;
}

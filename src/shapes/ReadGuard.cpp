#include "ReadGuard.h"

#include "ImageFiles.h"
#include "ModelFiles.h"
#include "SafeFileName.h"

#include <osgDB/Callbacks>
#include <osgDB/Registry>

namespace {

using ReadResult = osgDB::ReaderWriter::ReadResult;

ReadResult refused() { return ReadResult(ReadResult::FILE_NOT_HANDLED); }

// The registry's own read callback when one is set, else the plain reads.
osgDB::ReadFileCallback& onward()
{
    static osg::ref_ptr<osgDB::ReadFileCallback> plain = new osgDB::ReadFileCallback();
    osgDB::ReadFileCallback* registered = osgDB::Registry::instance()->getReadFileCallback();
    return registered != nullptr ? *registered : *plain;
}

class ReadGuard : public osgDB::ReadFileCallback {
public:
    ReadResult openArchive(const std::string&, osgDB::ReaderWriter::ArchiveStatus, unsigned int,
                           const osgDB::Options*) override
    {
        return refused();
    }
    ReadResult readObject(const std::string& file, const osgDB::Options* options) override
    {
        return isGuardedReadAllowed(file) ? onward().readObject(file, options) : refused();
    }
    ReadResult readImage(const std::string& file, const osgDB::Options* options) override
    {
        return isGuardedReadAllowed(file) ? onward().readImage(file, options) : refused();
    }
    ReadResult readHeightField(const std::string& file, const osgDB::Options* options) override
    {
        return isGuardedReadAllowed(file) ? onward().readHeightField(file, options) : refused();
    }
    ReadResult readNode(const std::string& file, const osgDB::Options* options) override
    {
        return isGuardedReadAllowed(file) ? onward().readNode(file, options) : refused();
    }
    ReadResult readShader(const std::string&, const osgDB::Options*) override { return refused(); }
    ReadResult readScript(const std::string&, const osgDB::Options*) override { return refused(); }
};

}  // namespace

bool isGuardedReadAllowed(const std::string& file)
{
    // Paths pulled in may climb to a sibling folder ("../textures/wood.png");
    // the names that commands give are refused with ".." before any read.
    const bool controlCharacters = printableText(file) != file;
    if (file.find("://") != std::string::npos || controlCharacters)
        return false;
    return hasImageExtension(file) || hasModelExtension(file);
}

const osgDB::Options* guardedReadOptions()
{
    static osg::ref_ptr<osgDB::Options> options = [] {
        osg::ref_ptr<osgDB::Options> made = new osgDB::Options();
        made->setReadFileCallback(new ReadGuard());
        return made;
    }();
    return options.get();
}

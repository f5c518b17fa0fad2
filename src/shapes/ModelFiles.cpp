#include "ModelFiles.h"

#include "ImageFiles.h"
#include "ReadGuard.h"

#include <osgDB/FileNameUtils>
#include <osgDB/ReadFile>
#include <set>

bool hasModelExtension(const std::string& path)
{
    static const std::set<std::string> modelFormats = {"osgt", "osgb", "osgx", "osg", "ive", "obj",
                                                       "3ds",  "stl",  "ply",  "ac",  "dxf", "lwo"};
    return modelFormats.count(osgDB::getLowerCaseFileExtension(path)) != 0;
}

osg::ref_ptr<osg::Node> readModelSafely(const std::string& path)
{
    if (!hasModelExtension(path))
        return nullptr;
    return guardedRead([&] { return osgDB::readRefNodeFile(path, guardedReadOptions()); });
}

#include "ImageFiles.h"

#include "Config.h"
#include "ReadGuard.h"

#include <osg/ImageSequence>
#include <osgDB/FileNameUtils>
#include <osgDB/ReadFile>
#include <iostream>
#include <set>

namespace {

bool isSceneGraphFormat(const std::string& extension)
{
    return extension == "osgt" || extension == "osgb" || extension == "osg";
}

}  // namespace

bool hasImageExtension(const std::string& path)
{
    static const std::set<std::string> imageFormats = {
        "png", "jpg", "jpeg", "bmp", "gif", "tga", "tif", "tiff", "rgb",
        "sgi", "dds", "hdr", "pnm", "ppm", "pgm", "ktx"};
    const std::string extension = osgDB::getLowerCaseFileExtension(path);
    return imageFormats.count(extension) != 0 || isSceneGraphFormat(extension);
}

osg::ref_ptr<osg::Image> readImageSafely(const std::string& path)
{
    osg::ref_ptr<osg::Image> image = guardedRead([&] { return osgDB::readRefImageFile(path, guardedReadOptions()); });
    if (image.valid() || !isSceneGraphFormat(osgDB::getLowerCaseFileExtension(path)))
        return image;
    // No movie reader on this platform: a sequence of stills described in
    // OpenSceneGraph's own format stands in for a video.
    osg::ref_ptr<osg::Object> object = guardedRead([&] { return osgDB::readRefObjectFile(path, guardedReadOptions()); });
    return dynamic_cast<osg::ImageSequence*>(object.get());
}

osg::ref_ptr<osg::Image> readTextureImage(const std::string& name)
{
    const std::string path = osgDB::concatPaths(Config::getInstance()->get("TextureDir"), name);
    osg::ref_ptr<osg::Image> image;
    if (isSafeFileName(name) && hasImageExtension(path))
        image = readImageSafely(path);
    if (!image.valid())
        std::cerr << "Error no image found: " + printableText(path) + "\n";
    return image;
}

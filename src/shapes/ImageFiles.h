#pragma once
// Reading the image files that commands name. Names come from the network:
// only plain names of image formats are read, and a reader that throws on
// a malformed file counts as "no image".

#include "SafeFileName.h"

#include <osg/Image>
#include <osg/ref_ptr>
#include <string>


// True when the path ends in the extension of an image format (png, jpg,
// jpeg, bmp, gif, tga, tif, tiff, rgb, sgi, dds, hdr, pnm, ppm, pgm, ktx) or
// of OpenSceneGraph's own formats (osgt, osgb, osg), which can describe an
// image sequence. Case is ignored.
bool hasImageExtension(const std::string& path);

// Runs one OpenSceneGraph read; an exception from a reader gives an empty result.
template <typename Read>
auto guardedRead(Read read) -> decltype(read())
{
    try {
        return read();
    } catch (...) {
        return {};
    }
}

// The image at the path, or an image sequence that an OpenSceneGraph file
// there describes; null when neither can be read.
osg::ref_ptr<osg::Image> readImageSafely(const std::string& path);

// Reads the named image from the setting TextureDir. A refused name or a
// failed read writes "Error no image found: <path>" to standard error and
// gives null.
osg::ref_ptr<osg::Image> readTextureImage(const std::string& name);

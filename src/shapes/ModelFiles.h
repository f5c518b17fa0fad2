#pragma once
// Reading the model files that commands name. Only formats whose readers
// read data and nothing else are read; every file a model pulls in passes
// the read guard (ReadGuard.h), and a reader that throws on a malformed
// file counts as "no model".

#include <osg/Node>
#include <osg/ref_ptr>
#include <string>

// True when the path ends in the extension of a model format read safely
// here: osgt, osgb, osgx, osg, ive, obj, 3ds, stl, ply, ac, dxf, lwo.
// Case is ignored.
bool hasModelExtension(const std::string& path);

// The model at the path; null when the format is not one of those or the
// file cannot be read.
osg::ref_ptr<osg::Node> readModelSafely(const std::string& path);

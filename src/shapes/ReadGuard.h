#pragma once
// A read of a file that a command names may pull in further files: a
// model's textures, the frames of an image sequence, the parts of a scene
// file. OpenSceneGraph hands each to the reader of its extension, and some
// readers run what they read (Lua scripts, the tar command) or fetch URLs.
// Reads made with guardedReadOptions() pass every file they pull in, at any
// depth, through a guard that lets only image and model formats through.
//
// Threading: the options are made once and then only read; any thread may
// read with them (the image pager loads sequence frames in its own thread).

#include <osgDB/Options>
#include <string>

// Options whose read callback refuses every file that is no image or model
// format (ImageFiles.h, ModelFiles.h), names a URL or holds a control
// character; other reads go on as usual, through the registry's own read
// callback when one is set.
const osgDB::Options* guardedReadOptions();

// True when the guard lets a read of the file through.
bool isGuardedReadAllowed(const std::string& file);

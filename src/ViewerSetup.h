#pragma once
// The viewer's configuration at start-up: camera manipulator, clear colour,
// threading, statistics, home position, scene and frame scheme.

#include <osg/Vec3d>
#include <osgGA/TrackballManipulator>

class MainNode;
namespace osgViewer {
class Viewer;
}

// The trackball manipulator with its default interaction settings.
class ZolviManipulator : public osgGA::TrackballManipulator {
public:
    ZolviManipulator() : osgGA::TrackballManipulator(UPDATE_MODEL_SIZE | PROCESS_MOUSE_WHEEL) {}

protected:
    ~ZolviManipulator() override {}
};

// The camera's home eye: (EyePosX, EyePosY, EyePosZ) when all three
// settings are non-empty, else (0, -2000, 0).
osg::Vec3d homeEyeFromSettings();

// Configures the viewer around the scene root; the camera starts at its
// home: the given eye, looking at (0, 1, 0) with (0, 0, 1) up.
void setUpViewer(osgViewer::Viewer& viewer, MainNode* root, const osg::Vec3d& eye);

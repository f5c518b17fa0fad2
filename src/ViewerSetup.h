#pragma once
// The viewer's configuration at start-up: camera manipulator, clear colour,
// cull mask, threading, statistics, home position, scene, frame scheme and
// the allocator's thresholds for the renderer's large buffers.

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

// Takes blocks of up to 16 MB from the heap, not from fresh mappings, and
// keeps up to 32 MB free at a heap's top: the software renderer allocates
// and frees buffers of several megabytes in every frame, and giving their
// pages back to the system each time cost a frame of ten thousand cubes a
// third of its time in page faults.
void keepRendererBuffers();

// Configures the viewer around the scene root (keepRendererBuffers()
// included); the camera starts at its home: the given eye, looking at
// (0, 1, 0) with (0, 0, 1) up.
void setUpViewer(osgViewer::Viewer& viewer, MainNode* root, const osg::Vec3d& eye);

#pragma once
// The screenshot image. OpenSceneGraph reads every rendered frame into the
// image attached to the camera's colour buffer, in the draw thread; a
// final-draw callback then copies the finished frame under a lock, so a
// writer in another thread only ever sees whole frames and never waits for
// a future one.

#include <osg/Image>
#include <osg/ref_ptr>

#include <atomic>
#include <mutex>
#include <string>

namespace osgViewer {
class Viewer;
}

// Why a screenshot name is refused, or "" when it may be used: it must be a
// non-empty path relative to the working directory that passes the file-name
// safety rule (SafeFileName.h).
std::string checkScreenshotName(const std::string& name);

class ScreenshotCapture {
public:
    ScreenshotCapture();

    // Allocates the image at the resolution of the screen named by $DISPLAY
    // and attaches it to the viewer's camera. False when there is no
    // windowing system.
    bool attach(osgViewer::Viewer* viewer);
    bool isAttached() const { return attached; }

    // Called in the draw thread once a frame of the camera's viewport size
    // is finished.
    void keepFinishedFrame(int width, int height);

    // Writes the last finished frame as a PNG file: "" on success, otherwise
    // the reason it was not written.
    std::string writePng(const std::string& path);

    // Stores a frame directly, as the draw thread would; for callers that
    // have no window.
    void keepFrame(const osg::Image& frame);

private:
    osg::ref_ptr<osg::Image> image;  // filled by the draw thread
    unsigned int unreadCount = 0;    // its modified count before any frame was read
    std::atomic<bool> attached{false};

    std::mutex frameMutex;  // guards lastFrame; a leaf lock (LockOrder.h)
    osg::ref_ptr<osg::Image> lastFrame;
};

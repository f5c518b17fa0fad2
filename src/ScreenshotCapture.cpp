#include "ScreenshotCapture.h"

#include "SafeFileName.h"

#include <osg/Camera>
#include <osg/GraphicsContext>
#include <osg/Viewport>
#include <osgDB/WriteFile>
#include <osgViewer/Viewer>

#include <cstring>

std::string checkScreenshotName(const std::string& name)
{
    if (name.empty())
        return "empty file name";
    if (name[0] == '/')
        return "absolute path not allowed";
    return unsafeFileNameReason(name);
}

namespace {

class KeepFinishedFrame : public osg::Camera::DrawCallback {
public:
    explicit KeepFinishedFrame(ScreenshotCapture* capture) : capture(capture) {}
    void operator()(osg::RenderInfo& renderInfo) const override
    {
        const osg::Camera* camera = renderInfo.getCurrentCamera();
        const osg::Viewport* viewport = camera != nullptr ? camera->getViewport() : nullptr;
        if (viewport != nullptr)
            capture->keepFinishedFrame(static_cast<int>(viewport->width()), static_cast<int>(viewport->height()));
    }

private:
    ScreenshotCapture* capture;
};

bool sameLayout(const osg::Image& a, const osg::Image& b)
{
    return a.s() == b.s() && a.t() == b.t() && a.r() == b.r() && a.getPixelFormat() == b.getPixelFormat() &&
           a.getDataType() == b.getDataType() && a.getPacking() == b.getPacking() &&
           a.getTotalSizeInBytes() == b.getTotalSizeInBytes();
}

}  // namespace

ScreenshotCapture::ScreenshotCapture() = default;

bool ScreenshotCapture::attach(osgViewer::Viewer* viewer)
{
    osg::GraphicsContext::WindowingSystemInterface* windowing = osg::GraphicsContext::getWindowingSystemInterface();
    if (windowing == nullptr || viewer == nullptr)
        return false;

    osg::GraphicsContext::ScreenIdentifier screen(0);
    screen.readDISPLAY();
    screen.setUndefinedScreenDetailsToDefaultScreen();
    unsigned int width = 0;
    unsigned int height = 0;
    windowing->getScreenResolution(screen, width, height);

    image = new osg::Image;
    image->allocateImage(static_cast<int>(width), static_cast<int>(height), 1, GL_RGB, GL_UNSIGNED_BYTE, 1);
    unreadCount = image->getModifiedCount();
    osg::Camera* camera = viewer->getCamera();
    camera->attach(osg::Camera::COLOR_BUFFER, image.get());
    camera->addFinalDrawCallback(new KeepFinishedFrame(this));
    attached = true;
    return true;
}

void ScreenshotCapture::keepFinishedFrame(int width, int height)
{
    // OpenSceneGraph reads each frame into the image at the viewport's size.
    // Until it has, the image holds only its first allocation: no frame.
    if (image.valid() && image->getModifiedCount() != unreadCount && image->s() == width && image->t() == height)
        keepFrame(*image);
}

void ScreenshotCapture::keepFrame(const osg::Image& frame)
{
    if (frame.data() == nullptr || frame.s() <= 0 || frame.t() <= 0)
        return;
    std::lock_guard<std::mutex> lock(frameMutex);
    if (lastFrame.valid() && sameLayout(*lastFrame, frame))
        std::memcpy(lastFrame->data(), frame.data(), frame.getTotalSizeInBytes());
    else
        lastFrame = new osg::Image(frame, osg::CopyOp::DEEP_COPY_ALL);
}

std::string ScreenshotCapture::writePng(const std::string& path)
{
    osg::ref_ptr<osg::Image> frame;
    {
        std::lock_guard<std::mutex> lock(frameMutex);
        if (lastFrame.valid())
            frame = new osg::Image(*lastFrame, osg::CopyOp::DEEP_COPY_ALL);
    }
    if (!frame.valid())
        return attached ? "no frame rendered yet" : "no screen image";
    if (!osgDB::writeImageFile(*frame, path))
        return "could not write " + path;
    return "";
}

// The screenshot image: frames kept by the draw thread, written as PNG files.

#include "ScreenshotCapture.h"

#include <osgDB/ReadFile>
#include <osgViewer/Viewer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

osg::ref_ptr<osg::Image> uniformFrame(int width, int height, unsigned char shade)
{
    osg::ref_ptr<osg::Image> frame = new osg::Image;
    frame->allocateImage(width, height, 1, GL_RGB, GL_UNSIGNED_BYTE, 1);
    std::fill(frame->data(), frame->data() + frame->getTotalSizeInBytes(), shade);
    return frame;
}

std::string tempPath(const std::string& stem)
{
    return ::testing::TempDir() + "dispatch_" + stem + "_" + std::to_string(getpid()) + ".png";
}

// True when every byte of the image holds one value; that value in shade.
bool isUniform(const osg::Image& image, unsigned char& shade)
{
    const unsigned char* data = image.data();
    shade = data[0];
    for (unsigned int i = 0; i < image.getTotalSizeInBytes(); ++i)
        if (data[i] != shade)
            return false;
    return true;
}

// The PNG at path holds one frame of the given size and shade; removes it.
void expectWrittenFrame(const std::string& path, int width, int height, unsigned char expectedShade)
{
    osg::ref_ptr<osg::Image> written = osgDB::readImageFile(path);
    ASSERT_TRUE(written.valid()) << path;
    EXPECT_EQ(written->s(), width);
    EXPECT_EQ(written->t(), height);
    unsigned char shade = 0;
    EXPECT_TRUE(isUniform(*written, shade));
    EXPECT_EQ(shade, expectedShade);
    std::remove(path.c_str());
}

TEST(DispatchScreenshotCapture, WritesNothingBeforeAFrame)
{
    ScreenshotCapture capture;
    const std::string path = tempPath("none");
    EXPECT_EQ(capture.writePng(path), "no screen image");
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}

TEST(DispatchScreenshotCapture, WritesTheLastKeptFrame)
{
    ScreenshotCapture capture;
    capture.keepFrame(*uniformFrame(320, 200, 40));
    capture.keepFrame(*uniformFrame(720, 480, 90));
    const std::string path = tempPath("last");
    ASSERT_EQ(capture.writePng(path), "");
    expectWrittenFrame(path, 720, 480, 90);
}

TEST(DispatchScreenshotCapture, ReportsAFailedWrite)
{
    ScreenshotCapture capture;
    capture.keepFrame(*uniformFrame(8, 8, 1));
    EXPECT_EQ(capture.writePng(::testing::TempDir() + "no-such-dir/x.png").rfind("could not write", 0), 0u);
}

// The image attached to the viewer's camera, which OpenSceneGraph fills in
// the draw thread after each frame.
osg::Image* cameraImage(osgViewer::Viewer& viewer)
{
    osg::Camera::BufferAttachmentMap& attachments = viewer.getCamera()->getBufferAttachmentMap();
    auto found = attachments.find(osg::Camera::COLOR_BUFFER);
    return found != attachments.end() ? found->second._image.get() : nullptr;
}

// Stands in for the draw thread: OpenSceneGraph reads the frame into the
// camera's image at the viewport's size, then the final-draw callback runs.
void readFrame(ScreenshotCapture& capture, osg::Image& image, int width, int height, unsigned char shade,
               int viewportWidth, int viewportHeight)
{
    image.allocateImage(width, height, 1, GL_RGB, GL_UNSIGNED_BYTE, 1);
    std::fill(image.data(), image.data() + image.getTotalSizeInBytes(), shade);
    image.dirty();
    capture.keepFinishedFrame(viewportWidth, viewportHeight);
}

TEST(DispatchScreenshotCapture, KeepsOnlyFramesReadAtTheViewportSize)
{
    osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer;
    ScreenshotCapture capture;
    if (!capture.attach(viewer.get()))
        GTEST_SKIP() << "no windowing system";
    osg::Image* image = cameraImage(*viewer);
    ASSERT_NE(image, nullptr);
    const std::string path = tempPath("viewport");

    // Until a frame has been read the image holds only its allocation.
    capture.keepFinishedFrame(image->s(), image->t());
    EXPECT_EQ(capture.writePng(path), "no frame rendered yet");
    // Read at another size than the viewport's: not a finished frame.
    readFrame(capture, *image, 640, 400, 10, 720, 480);
    EXPECT_EQ(capture.writePng(path), "no frame rendered yet");

    readFrame(capture, *image, 720, 480, 77, 720, 480);
    readFrame(capture, *image, 720, 400, 10, 720, 480);
    ASSERT_EQ(capture.writePng(path), "");
    expectWrittenFrame(path, 720, 480, 77);
}

// Frames of two sizes and shades are kept while another thread writes: every
// file written holds one whole frame.
TEST(DispatchScreenshotCapture, WriterNeverSeesAHalfKeptFrame)
{
    ScreenshotCapture capture;
    osg::ref_ptr<osg::Image> small = uniformFrame(64, 48, 30);
    osg::ref_ptr<osg::Image> large = uniformFrame(96, 64, 220);
    capture.keepFrame(*small);

    std::atomic<bool> done{false};
    std::thread drawThread([&] {
        for (int i = 0; !done; ++i)
            capture.keepFrame(i % 2 ? *large : *small);
    });
    const std::string path = tempPath("race");
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(capture.writePng(path), "");
        osg::ref_ptr<osg::Image> written = osgDB::readImageFile(path);
        ASSERT_TRUE(written.valid());
        unsigned char shade = 0;
        ASSERT_TRUE(isUniform(*written, shade));
        EXPECT_TRUE((shade == 30 && written->s() == 64) || (shade == 220 && written->s() == 96));
    }
    done = true;
    drawThread.join();
    std::remove(path.c_str());
}

}  // namespace

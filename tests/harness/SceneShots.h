#pragma once
// Screenshots of a running viewer, read back for pixel checks.
//
//   ASSERT_TRUE(waitForFirstFrame(viewer));
//   viewer.send("cube c size=300 r=1 g=0 b=0");
//   auto shot = shotWhen(viewer, [](const SceneShot& s) { return s.at(360, 240).r > 200; });
//   ASSERT_TRUE(shot);
//   EXPECT_TRUE(near(shot->at(360, 240), {230, 0, 0}, 30));
//
// Pixels are addressed as on the screen: (0, 0) is the window's top-left
// corner, x grows to the right and y downwards; the scene's origin is at
// about (360, 240) with the default eye.

#include "ViewerProcess.h"

#include <osg/Image>
#include <osg/ref_ptr>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// Each channel within the tolerance.
bool near(const Rgb& actual, const Rgb& expected, int tolerance);

// The rectangle that holds every pixel a test picked (inclusive bounds).
struct PixelBox {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool empty() const { return right < left || bottom < top; }
    int width() const { return empty() ? 0 : right - left + 1; }
    int height() const { return empty() ? 0 : bottom - top + 1; }
    int centreX() const { return (left + right) / 2; }
    int centreY() const { return (top + bottom) / 2; }
};
std::ostream& operator<<(std::ostream& out, const PixelBox& box);

class SceneShot {
public:
    explicit SceneShot(osg::ref_ptr<osg::Image> image) : image(std::move(image)) {}

    int width() const { return image->s(); }
    int height() const { return image->t(); }
    // Black outside the picture.
    Rgb at(int x, int y) const;
    // The pixels for which the test holds.
    PixelBox boxOf(const std::function<bool(const Rgb&)>& test) const;
    long count(const std::function<bool(const Rgb&)>& test) const;

private:
    osg::ref_ptr<osg::Image> image;
};

// Waits until the viewer has drawn a first frame (until then a screenshot
// is refused); false after 30 s or on an unexpected reply.
bool waitForFirstFrame(ViewerProcess& viewer);

// Takes a screenshot named name.png in the viewer's folder and reads it;
// nothing when the viewer refuses it or it cannot be read.
std::optional<SceneShot> takeShot(ViewerProcess& viewer, const std::string& name = "probe");

// Takes screenshots until one passes the test (changes show in a later
// frame than the command's); the last one taken when time runs out, so the
// caller's checks say what was seen.
std::optional<SceneShot> shotWhen(ViewerProcess& viewer, const std::function<bool(const SceneShot&)>& test,
                                  ViewerProcess::Duration timeout = ViewerProcess::Duration(10000));

// Lit: any channel above 40.
bool isLit(const Rgb& colour);

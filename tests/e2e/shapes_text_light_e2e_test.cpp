// The light and text shapes through the real process, judged from
// screenshots. Within a test the rows share one viewer: every shape stands
// at its own place in a colour of its own.

#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using PixelTest = std::function<bool(const Rgb&)>;

// Where a scene point lands with the default eye at (0, -2000, 0): about
// 0.46 pixel per unit at depth y = 0, more for nearer points.
struct ScreenPoint {
    int x, y;
};
ScreenPoint screenOf(double x, double z, double depth = 0.0)
{
    const double scale = 0.46 * 2000.0 / (2000.0 + depth);
    return {static_cast<int>(std::lround(360 + x * scale)), static_cast<int>(std::lround(240 - z * scale))};
}

bool centredNear(const PixelBox& box, ScreenPoint point, int tolerance)
{
    return !box.empty() && std::abs(box.centreX() - point.x) <= tolerance &&
           std::abs(box.centreY() - point.y) <= tolerance;
}

// How many separate runs of rows in the box hold a pixel that passes the test.
int rowBands(const SceneShot& shot, const PixelBox& box, const PixelTest& test)
{
    int bands = 0;
    bool inBand = false;
    for (int y = box.top; y <= box.bottom; ++y) {
        bool rowHit = false;
        for (int x = box.left; x <= box.right && !rowHit; ++x)
            rowHit = test(shot.at(x, y));
        bands += rowHit && !inBand ? 1 : 0;
        inBand = rowHit;
    }
    return bands;
}

const PixelTest isYellow = [](const Rgb& c) { return c.r > 150 && c.g > 150 && c.b < 60; };
const PixelTest isWhite = [](const Rgb& c) { return c.r > 200 && c.g > 200 && c.b > 200; };
const PixelTest isBlue = [](const Rgb& c) { return c.b > 150 && c.r < 60 && c.g < 60; };
const PixelTest isRed = [](const Rgb& c) { return c.r > 150 && c.g < 60 && c.b < 60; };
const PixelTest isGreen = [](const Rgb& c) { return c.g > 150 && c.r < 60 && c.b < 60; };
const PixelTest isCyan = [](const Rgb& c) { return c.g > 150 && c.b > 150 && c.r < 60; };

class ShapesTextLightE2E : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(viewer.start());
        ASSERT_TRUE(waitForFirstFrame(viewer));
    }

    // The picture once the test holds, a few frames later, so that a light
    // source queued by the redraw that showed the change is in the scene.
    std::optional<SceneShot> settledShotWhen(const std::function<bool(const SceneShot&)>& test)
    {
        if (!shotWhen(viewer, test))
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return takeShot(viewer);
    }

    static ViewerOptions pinnedFont()
    {
        ViewerOptions options;
        options.configLines = {"Font /usr/share/fonts/truetype/dejavu/"};
        return options;
    }

    ViewerProcess viewer{pinnedFont()};
};

TEST_F(ShapesTextLightE2E, LightsChangeTheCubeByTheirNumberAndShowTheirMarkers)
{
    ASSERT_TRUE(viewer.send("cube c size=300 r=0.5 g=0.5 b=0.5"));
    auto shot = shotWhen(viewer, [](const SceneShot& s) { return s.at(360, 240).r > 80; });
    ASSERT_TRUE(shot);
    const Rgb headLit = shot->at(360, 240);
    EXPECT_TRUE(near(headLit, {115, 115, 115}, 25)) << headLit;

    struct Row {
        const char* what;
        const char* command;
        PixelTest marker;
        ScreenPoint markerAt;
        std::function<bool(const Rgb& before, const Rgb& now)> cube;
    };
    // In order: each light stays in the scene for the rows after it. The
    // markers of the directional lights stand at their direction, 1000
    // units in front of the cube.
    const std::vector<Row> rows = {
        {"number 8 changes no light", "light l8 num=8 x=-300 z=150 r=1 g=1 b=0 radius=30", isYellow,
         screenOf(-300, 150), [](const Rgb& before, const Rgb& now) { return near(now, before, 3); }},
        {"number 1 adds to the head light",
         "light l1 num=1 type=0 x=300 y=-1000 z=-150 r=0 g=0 b=1 radius=30", isBlue, screenOf(300, -150, -1000),
         [](const Rgb& before, const Rgb& now) {
             return now.b > before.b + 60 && near({now.r, now.g, 0}, {before.r, before.g, 0}, 10);
         }},
        {"number 0 replaces the head light",
         "light l0 num=0 type=0 x=300 y=-1000 z=150 r=1 g=0 b=0 radius=30", isRed, screenOf(300, 150, -1000),
         [](const Rgb& before, const Rgb& now) {
             return now.g < before.g - 60 && now.r > now.g + 60 && now.b > now.g + 60;
         }},
        {"a moved marker", "l8.x=-600", isYellow, screenOf(-600, 150),
         [](const Rgb& before, const Rgb& now) { return near(now, before, 3); }},
        {"a recoloured marker", "l8.b=1", isWhite, screenOf(-600, 150),
         [](const Rgb& before, const Rgb& now) { return near(now, before, 3); }},
    };
    Rgb before = headLit;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(viewer.send(row.command));
        shot = settledShotWhen([&](const SceneShot& s) { return centredNear(s.boxOf(row.marker), row.markerAt, 6); });
        ASSERT_TRUE(shot);
        const PixelBox marker = shot->boxOf(row.marker);
        EXPECT_TRUE(centredNear(marker, row.markerAt, 6)) << marker;
        const Rgb now = shot->at(360, 240);
        EXPECT_TRUE(row.cube(before, now)) << "cube " << before << " -> " << now;
        before = now;
    }
}

TEST_F(ShapesTextLightE2E, TextDrawsItsLabelWhereAndInTheColourItsParametersSay)
{
    struct Row {
        const char* command;
        PixelTest colour;
        Rgb exact;
        ScreenPoint at;
        int lines;
    };
    const std::vector<Row> rows = {
        {"text two label='a\\nb' size=100 x=250 z=-330 r=0 g=1 b=0", isGreen, {0, 255, 0}, screenOf(250, -330), 2},
        {"text one label='ab' size=100 x=-250 z=-330 r=0 g=1 b=1", isCyan, {0, 255, 255}, screenOf(-250, -330), 1},
        {"one.z=-250", isCyan, {0, 255, 255}, screenOf(-250, -250), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        ASSERT_TRUE(viewer.send(row.command));
        auto shot = shotWhen(viewer, [&](const SceneShot& s) { return centredNear(s.boxOf(row.colour), row.at, 8); });
        ASSERT_TRUE(shot);
        const PixelBox box = shot->boxOf(row.colour);
        EXPECT_TRUE(centredNear(box, row.at, 8)) << box;
        EXPECT_EQ(rowBands(*shot, box, row.colour), row.lines) << box;
        EXPECT_GT(shot->count([&](const Rgb& c) { return near(c, row.exact, 8); }), 20) << "drawn unlit";
    }
}

}  // namespace

// The square, rectangle, circle, sphere and line through the real process,
// judged from screenshots: where and in what colour each appears, how it
// moves when a parameter changes, its texture, its width and its blending.

#include "PixelRegion.h"
#include "SceneProbes.h"
#include "SceneShots.h"
#include "ViewerProcess.h"
#include "unit/shapes_test_files.h"

#include <gtest/gtest.h>

#include <osg/Image>
#include <osgDB/WriteFile>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Where the scene point (x, 0, z) shows.
int screenX(double x) { return screenPixel(x, 0, 0).x; }
int screenY(double z) { return screenPixel(0, 0, z).y; }
int screenLength(double units) { return screenX(units) - screenX(0); }

using ColourTest = std::function<bool(const Rgb&)>;

// Lit faces towards the eye show about 230 of a full channel; unlit ones all of it.
bool isRed(const Rgb& c) { return c.r > 150 && c.g < 60 && c.b < 60; }
bool isGreen(const Rgb& c) { return c.g > 150 && c.r < 60 && c.b < 60; }
bool isBlue(const Rgb& c) { return c.b > 150 && c.r < 60 && c.g < 60; }
bool isYellow(const Rgb& c) { return c.r > 150 && c.g > 150 && c.b < 60; }
// A sphere darkens towards its outline: any magenta light.
bool isMagentaShade(const Rgb& c) { return c.r > 30 && c.b > 30 && c.g < 20 && std::abs(c.r - c.b) < 30; }

// An image whose columns are red in the first quarter (s below 0.25),
// green in the second and blue in the second half.
void writeStripes(const std::string& path)
{
    const int width = 64, height = 16;
    osg::ref_ptr<osg::Image> image = new osg::Image();
    image->allocateImage(width, height, 1, GL_RGB, GL_UNSIGNED_BYTE);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            unsigned char* texel = image->data(column, row);
            texel[0] = column < width / 4 ? 255 : 0;
            texel[1] = column >= width / 4 && column < width / 2 ? 255 : 0;
            texel[2] = column >= width / 2 ? 255 : 0;
        }
    ASSERT_TRUE(osgDB::writeImageFile(*image, path));
}

// A shape whose commands make it appear around (x, z) in the colour, in a
// box of the given extent.
struct AppearanceRow {
    const char* name;
    const char* commands;
    double x, z;           // the centre in the scene
    double width, height;  // the extent in scene units
    ColourTest colour;
    int tolerance;  // pixels, on each edge of the box
};

// Each row's shape stands at a place of its own: the rows share one viewer.
const std::vector<AppearanceRow> appearanceRows = {
    {"square", "square sq size=200 x=-550 z=300 g=0 b=0", -550, 300, 200, 200, isRed, 3},
    {"rectangle", "rectangle re width=300 height=100 z=300 r=0 b=0", 0, 300, 300, 100, isGreen, 3},
    // Its outline stands a little nearer the eye than its centre.
    {"sphere", "sphere sp radius=120 x=-550 z=-250 g=0", -550, -250, 240, 240, isMagentaShade, 4},
    {"circle", "circle ci radius=120 x=550 z=300 r1=1 g1=1 b1=0 r2=1 g2=1 b2=0", 550, 300, 240, 240, isYellow, 3},
    // 9 pixels wide, unlit: exactly its colour.
    {"line", "line li x1=-150 z1=-250 x2=150 z2=-250 r1=0 r2=0 width=9", 0, -250, 300, 0,
     [](const Rgb& c) { return c == Rgb{0, 255, 255}; }, 5},
};

class ShapesSurfacesE2E : public testing::Test {
protected:
    void start(std::vector<std::string> configLines = {})
    {
        ViewerOptions options;
        options.configLines = std::move(configLines);
        viewer = std::make_unique<ViewerProcess>(options);
        ASSERT_TRUE(viewer->start());
        ASSERT_TRUE(waitForFirstFrame(*viewer));
    }

    // A screenshot once the pixel of the scene point (x, 0, z) passes the test.
    std::optional<SceneShot> shotShowing(double x, double z, const ColourTest& colour)
    {
        return shotWhen(*viewer, [&](const SceneShot& s) { return colour(s.at(screenX(x), screenY(z))); });
    }

    std::unique_ptr<ViewerProcess> viewer;
};

TEST_F(ShapesSurfacesE2E, EachTypeAppearsWhereAndInTheColourItsParametersSayAndMovesWithThem)
{
    start();
    for (const AppearanceRow& row : appearanceRows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(viewer->send(row.commands));
        auto shot = shotShowing(row.x, row.z, row.colour);
        ASSERT_TRUE(shot);
        const int halfSide = screenLength(std::max(row.width, row.height));
        const PixelBox box = boxWithin(*shot, regionAround(screenX(row.x), screenY(row.z), halfSide), row.colour);
        EXPECT_NEAR(box.left, screenX(row.x - row.width / 2), row.tolerance) << box;
        EXPECT_NEAR(box.right, screenX(row.x + row.width / 2), row.tolerance) << box;
        EXPECT_NEAR(box.top, screenY(row.z + row.height / 2), row.tolerance) << box;
        EXPECT_NEAR(box.bottom, screenY(row.z - row.height / 2), row.tolerance) << box;
    }
    auto shot = takeShot(*viewer);
    ASSERT_TRUE(shot);
    const Rgb litFace = shot->at(screenX(-550), screenY(300));
    EXPECT_TRUE(near(litFace, {230, 0, 0}, 15)) << litFace;

    {
        SCOPED_TRACE("the circle's rim colour, re-assigned");
        ASSERT_TRUE(viewer->send("ci r2=0 g2=0 b2=1"));
        shot = shotShowing(550 + 110, 300, isBlue);
        ASSERT_TRUE(shot);
        EXPECT_TRUE(isYellow(shot->at(screenX(550), screenY(300)))) << shot->at(screenX(550), screenY(300));
        const Rgb halfWay = shot->at(screenX(550), screenY(300 + 60));
        EXPECT_TRUE(near(halfWay, {115, 115, 115}, 30)) << halfWay;
    }
    {
        SCOPED_TRACE("re-assigned and animated, the square moves");
        ASSERT_TRUE(viewer->send("sq.x=-300"));
        shot = shotShowing(-300, 300, isRed);
        ASSERT_TRUE(shot);
        EXPECT_FALSE(isRed(shot->at(screenX(-550), screenY(300)))) << "it left its old place";
        const PixelBox path = regionAround(screenX(-300), screenY(150), screenLength(250));
        EXPECT_NEAR(boxWithin(*shot, path, isRed).centreX(), screenX(-300), 2);

        ASSERT_TRUE(viewer->send("over 2 sq.z=0"));
        std::vector<int> heights;
        shot = shotWhen(*viewer, [&](const SceneShot& s) {
            heights.push_back(boxWithin(s, path, isRed).centreY());
            return std::abs(heights.back() - screenY(0)) <= 1;
        });
        ASSERT_TRUE(shot);
        const auto between = std::count_if(heights.begin(), heights.end(), [](int y) {
            return y > screenY(300) + 5 && y < screenY(0) - 5;
        });
        EXPECT_GE(between, 2) << "frames on the way down";
        EXPECT_TRUE(std::is_sorted(heights.begin(), heights.end())) << "it only moves down";
    }
    {
        SCOPED_TRACE("the line's width");
        // The lit pixels of the column through the line's middle.
        const PixelBox column{screenX(0), screenY(-250) - 20, screenX(0), screenY(-250) + 20};
        auto widthInColumn = [&](const SceneShot& s) { return boxWithin(s, column, isLit).height(); };
        auto leftEndIs = [&](const ColourTest& colour) { return shotShowing(-140, -250, colour); };
        ASSERT_TRUE(viewer->send("li width=0 g1=0"));
        shot = leftEndIs([](const Rgb& c) { return c.g < 40 && c.b > 200; });
        ASSERT_TRUE(shot);
        EXPECT_EQ(widthInColumn(*shot), 9) << "a width of 0 is not applied";

        ASSERT_TRUE(viewer->send("li.width=-2; li.width=`1/0`; li.width=`0/0`; print li.width; li.g1=1"));
        const auto stored = viewer->nextReport();
        ASSERT_TRUE(stored);
        EXPECT_NE(stored->find("nan (0/0)"), std::string::npos) << *stored;
        shot = leftEndIs([](const Rgb& c) { return c.g > 200 && c.b > 200; });
        ASSERT_TRUE(shot);
        EXPECT_EQ(widthInColumn(*shot), 9) << "nor a negative, infinite or undefined one";

        ASSERT_TRUE(viewer->send("li.width=3"));
        shot = shotWhen(*viewer, [&](const SceneShot& s) { return widthInColumn(s) == 3; });
        ASSERT_TRUE(shot);
        EXPECT_EQ(widthInColumn(*shot), 3);
    }
    {
        SCOPED_TRACE("alpha below 1 blends");
        // A blue rectangle behind a half transparent red square.
        ASSERT_TRUE(viewer->send("rectangle back y=200 width=300 height=300 r=0 g=0; "
                                 "square glass y=-100 size=120 g=0 b=0 a=0.5"));
        auto isPurple = [](const Rgb& c) { return c.r > 60 && c.b > 60 && c.g < 30; };
        shot = shotShowing(0, 0, isPurple);
        ASSERT_TRUE(shot);
        EXPECT_TRUE(near(shot->at(screenX(0), screenY(0)), {115, 0, 115}, 25)) << shot->at(screenX(0), screenY(0));
        // 45 pixels right of the centre: beside the square, on the rectangle.
        EXPECT_TRUE(isBlue(shot->at(screenX(0) + 45, screenY(0)))) << shot->at(screenX(0) + 45, screenY(0));
        ASSERT_TRUE(viewer->send("glass.a=1"));
        ASSERT_TRUE(shotShowing(0, 0, isRed));
    }
}

TEST_F(ShapesSurfacesE2E, TexturesShowTheImageAndTextureCoordinatesFlipIt)
{
    ShapesTempDir files;
    writeStripes(files.file("stripes.png"));
    files.writeText("flat.vert", "void main() { gl_Position = ftransform(); }\n");
    files.writeText("flat.frag", "void main() { gl_FragColor = vec4(0.0, 0.5, 1.0, 1.0); }\n");
    start({"TextureDir " + files.path, "Shader " + files.path + "/"});

    // s runs along +x: red in the left quarter, green in the next, blue in the right half.
    ASSERT_TRUE(viewer->send("square tq size=300 x=-300 texture='stripes.png'"));
    auto shot = shotShowing(-300 - 112, 0, isRed);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(isGreen(shot->at(screenX(-300 - 37), screenY(0)))) << shot->at(screenX(-300 - 37), screenY(0));
    EXPECT_TRUE(isBlue(shot->at(screenX(-300 + 75), screenY(0)))) << shot->at(screenX(-300 + 75), screenY(0));

    ASSERT_TRUE(viewer->send("tq t1s=1 t2s=0 t3s=0 t4s=1"));
    shot = shotShowing(-300 + 112, 0, isRed);
    ASSERT_TRUE(shot) << "flipped along s";
    EXPECT_TRUE(isGreen(shot->at(screenX(-300 + 37), screenY(0)))) << shot->at(screenX(-300 + 37), screenY(0));
    EXPECT_TRUE(isBlue(shot->at(screenX(-300 - 75), screenY(0)))) << shot->at(screenX(-300 - 75), screenY(0));

    // The side of the sphere that faces the eye shows s from 0.5 (left) to
    // 0 (right): green left of the centre, red right of it.
    ASSERT_TRUE(viewer->send("sphere ts radius=200 x=300 texture='stripes.png'"));
    shot = shotShowing(300 + 90, 0, isRed);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(isGreen(shot->at(screenX(300 - 90), screenY(0)))) << shot->at(screenX(300 - 90), screenY(0));

    // A shader's colour is drawn exactly.
    ASSERT_TRUE(viewer->send("circle sh radius=100 z=300 shader='flat'"));
    shot = shotShowing(0, 300, [](const Rgb& c) { return c == Rgb{0, 128, 255}; });
    ASSERT_TRUE(shot);
    EXPECT_EQ(viewer->stderrCount("Error no"), 0u) << viewer->stderrText();
}

}  // namespace

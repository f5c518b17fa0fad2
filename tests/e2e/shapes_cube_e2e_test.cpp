// The cube through the real process, judged from screenshots.

#include "SceneProbes.h"
#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <osg/Image>
#include <osgDB/WriteFile>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace {

TEST(ShapesCubeE2E, AppearsWhereAndInTheColourItsParametersSay)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(waitForFirstFrame(viewer));
    ASSERT_TRUE(viewer.send("cube c size=300 r=1 g=0 b=0"));
    auto isRed = [](const Rgb& c) { return c.r > 150 && c.g < 40 && c.b < 40; };
    auto shot = shotWhen(viewer, [&](const SceneShot& s) { return isRed(s.at(360, 240)); });
    ASSERT_TRUE(shot);
    const PixelBox box = shot->boxOf(isRed);
    EXPECT_NEAR(box.centreX(), 360, 4) << box;
    EXPECT_NEAR(box.centreY(), 240, 4) << box;
    EXPECT_NEAR(box.width(), 300 * 0.46 * 2000 / 1850, 8) << box;

    ASSERT_TRUE(viewer.send("c.x=400"));
    shot = shotWhen(viewer, [&](const SceneShot& s) { return !isRed(s.at(360, 240)); });
    ASSERT_TRUE(shot);
    // The front face, 150 units nearer the eye than the origin, looks larger.
    EXPECT_NEAR(shot->boxOf(isRed).centreX(), 360 + 400 * 0.46 * 2000 / 1850, 8) << shot->boxOf(isRed);
}

// Under the head light a face shows about 255 * (0.1 + 0.8 cos a), a being
// the angle between its normal and the direction to the eye.
const Rgb faceOn{230, 230, 230};
const Rgb turned30{202, 202, 202};  // cos a = 0.87
const Rgb turned60{128, 128, 128};  // cos a = 0.5
const int lit = 25;
const int exact = 2;

// A 64 x 64 image in four colours: red where s and t are both below one
// half, green for t above, blue for s above, white for both above.
void writeQuadrantImage(const std::string& path)
{
    osg::ref_ptr<osg::Image> image = new osg::Image();
    image->allocateImage(64, 64, 1, GL_RGB, GL_UNSIGNED_BYTE);
    for (int t = 0; t < 64; ++t)
        for (int s = 0; s < 64; ++s) {
            unsigned char* texel = image->data(s, t);
            const bool highS = s >= 32;
            const bool highT = t >= 32;
            texel[0] = highS == highT ? 255 : 0;
            texel[1] = highT ? 255 : 0;
            texel[2] = highS ? 255 : 0;
        }
    ASSERT_TRUE(osgDB::writeImageFile(*image, path));
}

// Each row draws in a cell of its own: three columns (x -520, 0, 520) and
// two rows (z 260, -260) of cubes of edge 240 and less.
const std::vector<SceneRow> cubeRows = {
    // rot 30 about +z turns the front face (y = -h) towards +x: it shows
    // on the right, and the side at x = -h, turned further, on the left.
    {"rot turns counter-clockwise seen from the tip of its axis",
     {{"cube rc size=240 x=-520 z=260 rot=30 rotz=1",
       {{-520 + 60, -104, 260, turned30, lit}, {-520 - 104, -60, 260, turned60, lit}}}}},
    // tilt 30 about +x turns the front face downwards and shows the top above it.
    {"tilt turns counter-clockwise seen from the tip of its axis",
     {{"cube tc size=240 z=260 tilt=30 tiltx=1",
       {{0, -104, 260 - 60, turned30, lit}, {0, -60, 260 + 104, turned60, lit}}}}},
    // A red cube of alpha 0.5 in front of a blue one that it covers in part
    // (the one further away shows nearer the middle of the screen).
    {"alpha below 1 blends over a shape behind",
     {{"cube back size=240 x=520 y=600 z=260 r=0 g=0 b=1; cube glass size=160 x=520 z=260 r=1 g=0 b=0 a=0.5",
       {{470, -80, 230, {115, 0, 115}, lit}, {580, -80, 320, {115, 0, 0}, lit}, {450, 480, 200, {0, 0, 230}, lit}}},
      {"glass.a=1", {{470, -80, 230, {230, 0, 0}, lit}}}}},
    // Face 0 takes t1 to t4 at its corners top left, bottom left, bottom
    // right and top right: s runs down the face, t to the right.
    {"a texture shows on the front face and goes when its name is emptied",
     {{"cube pic size=240 x=-520 z=-260 texture=\"quadrants.png\"",
       {{-520 - 60, -120, -260 + 60, {230, 0, 0}, lit},
        {-520 + 60, -120, -260 + 60, {0, 230, 0}, lit},
        {-520 - 60, -120, -260 - 60, {0, 0, 230}, lit},
        {-520 + 60, -120, -260 - 60, faceOn, lit}}},
      {"pic.texture=\"\"",
       {{-520 - 60, -120, -260 + 60, faceOn, lit}, {-520 + 60, -120, -260 - 60, faceOn, lit}}}}},
    {"a shader colours the cube until its name is None",
     {{"cube sh size=240 x=520 z=-260 shader=\"cyan\"", {{520, -120, -260, {0, 255, 255}, exact}}},
      {"sh.shader=\"None\"", {{520, -120, -260, faceOn, lit}}}}},
    {"a change of a bound variable moves the cube in the next frames",
     {{"v=-100; cube bv size=160 z=-260 r=1 g=1 b=0 x=`v`",
       {{-100, -80, -260, {230, 230, 0}, lit}, {100, -80, -260, Rgb{}, exact}}},
      {"v=100", {{100, -80, -260, {230, 230, 0}, lit}, {-100, -80, -260, Rgb{}, exact}}}}},
};

TEST(ShapesCubeE2E, TurnsBlendsTexturesShadesAndFollowsItsVariables)
{
    ViewerOptions options;
    // Texture and shader files are written into the viewer's working folder.
    options.configLines = {"TextureDir .", "Shader ./"};
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    writeQuadrantImage(viewer.path("quadrants.png"));
    std::ofstream(viewer.path("cyan.vert")) << "void main() { gl_Position = ftransform(); }\n";
    std::ofstream(viewer.path("cyan.frag")) << "void main() { gl_FragColor = vec4(0.0, 1.0, 1.0, 1.0); }\n";
    ASSERT_TRUE(waitForFirstFrame(viewer));

    runSceneRows(viewer, cubeRows);
}

// More cubes than one draw holds (the cubes of the common state are drawn
// together, so many to a draw): each shows, each moves alone, and one that
// turns transparent is still drawn. A grid of 15 x 10 cubes of edge 20.
osg::Vec3d gridPlace(int i) { return {-280.0 + 40 * (i % 15), -10, -180.0 + 40 * (i / 15)}; }

TEST(ShapesCubeE2E, ManyCubesAllShowAndEachMovesAlone)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(waitForFirstFrame(viewer));
    const int count = 150;
    for (int first = 0; first < count; first += 30) {
        std::string statements;
        for (int i = first; i < first + 30; ++i) {
            const osg::Vec3d at = gridPlace(i);
            statements += "cube m" + std::to_string(i) + " size=20 x=" + std::to_string(static_cast<int>(at.x())) +
                          " z=" + std::to_string(static_cast<int>(at.z())) + "; ";
        }
        ASSERT_TRUE(viewer.send(statements));
    }
    auto at = [](int i, const Rgb& colour, int tolerance) {
        const osg::Vec3d p = gridPlace(i);
        return ScenePixel{p.x(), p.y(), p.z(), colour, tolerance};
    };
    const osg::Vec3d moved(400, -10, 140);
    runSceneSteps(viewer, {{"m149.r=1", {at(0, faceOn, lit), at(127, faceOn, lit), at(128, faceOn, lit),
                                         at(149, faceOn, lit), {-260, -10, -180, Rgb{}, exact}}},
                           {"m128.x=400", {at(128, Rgb{}, exact), {moved.x(), moved.y(), moved.z(), faceOn, lit},
                                           at(127, faceOn, lit), at(129, faceOn, lit)}},
                           {"m0.a=0.5; m0.g=0", {at(0, {115, 0, 115}, lit), at(1, faceOn, lit)}}});
}

}  // namespace

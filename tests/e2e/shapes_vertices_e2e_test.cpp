// The point, triangle and quad shapes and the camera object through the
// real process, judged from screenshots. One viewer serves every row: each
// row draws at its own place on the screen.

#include "SceneProbes.h"
#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const Rgb black{0, 0, 0};
const int exact = 2;    // unlit colours
const int lit = 20;     // a lit face towards the eye shows about 230 of 255
const Rgb litGreen{0, 230, 0};

const std::vector<SceneRow> rows = {
    // Alone in the scene, a point's bound of radius 0 must not cull it.
    {"point: unlit colour as given, moved and grown",
     {{"point p x=-600 z=300 r=1 g=0.5 b=0 size=9",
       {{-600, 0, 300, {255, 128, 0}, exact}, {-600 + 20, 0, 300, black, exact}}},
      {"p.x=-400; p.size=15",
       {{-400, 0, 300, {255, 128, 0}, exact}, {-400 + 13, 0, 300 - 13, {255, 128, 0}, exact},
        {-600, 0, 300, black, exact}}}}},
    {"triangle wound counter-clockwise towards the eye: lit, recoloured through a variable",
     {{"tr=0; triangle t x1=-100 z1=150 x2=200 z2=150 x3=-100 z3=450 "
       "r1=`tr` b1=0 r2=`tr` b2=0 r3=`tr` b3=0",
       {{0, 0, 250, litGreen, lit}, {150, 0, 400, black, exact}}},
      {"tr=1", {{0, 0, 250, {230, 230, 0}, lit}}}}},
    {"triangle wound clockwise turns its unlit back to the eye until wound the other way",
     {{"triangle w x1=-500 z1=-150 x2=-200 z2=-150 x3=-500 z3=-450 r1=0 b1=0 r2=0 b2=0 r3=0 b3=0",
       {{-400, 0, -250, {0, 27, 0}, 15}}},
      {"w.x2=-500; w.z2=-450; w.x3=-200; w.z3=-150", {{-400, 0, -250, litGreen, lit}}}}},
    {"quad: lit, moved through a variable",
     {{"qx=300; quad q x1=`qx` z1=-450 x2=`qx+300` z2=-450 x3=`qx+300` z3=-150 x4=`qx` z4=-150 "
       "r1=0 g1=0 r2=0 g2=0 r3=0 g3=0 r4=0 g4=0",
       {{450, 0, -300, {0, 0, 230}, lit}, {250, 0, -300, black, exact}}},
      {"qx=100", {{250, 0, -300, {0, 0, 230}, lit}, {550, 0, -300, black, exact}}}}},
};

TEST(ShapesVerticesE2E, EachAppearsWhereAndInTheColourItsParametersSay)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(waitForFirstFrame(viewer));
    runSceneRows(viewer, rows);
    if (HasFatalFailure())
        return;

    // A camera object changes nothing on the screen. The triangle's colour
    // goes round once after it, so the second picture is taken after the
    // camera object has been drawn.
    auto before = takeShot(viewer, "before");
    ASSERT_TRUE(before);
    runSceneSteps(viewer, {{"camera cam x=100 y=-1500 z=40; cam.x=500; cam.y=1000; tr=0", {{0, 0, 250, litGreen, lit}}},
                      {"tr=1", {{0, 0, 250, {230, 230, 0}, lit}}}});
    auto after = takeShot(viewer, "after");
    ASSERT_TRUE(after);
    EXPECT_EQ(differingPixels(*before, *after), 0);
    ASSERT_TRUE(viewer.send("print cam.x"));
    EXPECT_EQ(viewer.nextReport(), viewer.sender() + " 500;\n");
}

}  // namespace

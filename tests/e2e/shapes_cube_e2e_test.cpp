// The cube through the real process, judged from screenshots.

#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

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

}  // namespace

#include "SceneProbes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double eyeDistance = 2000.0;
const double pixelsPerUnit = 0.462;  // at the eye distance
const int centreX = 360;
const int centreY = 240;

}  // namespace

ScreenPixel screenPixel(double x, double y, double z)
{
    const double scale = pixelsPerUnit * eyeDistance / (eyeDistance + y);
    return {static_cast<int>(std::lround(centreX + x * scale)), static_cast<int>(std::lround(centreY - z * scale))};
}

namespace {

Rgb seenAt(const SceneShot& shot, const ScenePixel& look)
{
    const ScreenPixel pixel = screenPixel(look.x, look.y, look.z);
    return shot.at(pixel.x, pixel.y);
}

}  // namespace

bool showsAll(const SceneShot& shot, const std::vector<ScenePixel>& looks)
{
    for (const ScenePixel& look : looks)
        if (!near(seenAt(shot, look), look.colour, look.tolerance))
            return false;
    return true;
}

void expectShows(const SceneShot& shot, const std::vector<ScenePixel>& looks)
{
    for (const ScenePixel& look : looks) {
        const ScreenPixel pixel = screenPixel(look.x, look.y, look.z);
        EXPECT_TRUE(near(seenAt(shot, look), look.colour, look.tolerance))
            << "scene point (" << look.x << ", " << look.y << ", " << look.z << ") at pixel (" << pixel.x << ", "
            << pixel.y << ") shows " << seenAt(shot, look) << ", expected " << look.colour << " within "
            << look.tolerance;
    }
}

void runSceneSteps(ViewerProcess& viewer, const std::vector<SceneStep>& steps)
{
    for (const SceneStep& step : steps) {
        SCOPED_TRACE(step.command);
        ASSERT_TRUE(viewer.send(step.command));
        auto shot = shotWhen(viewer, [&](const SceneShot& s) { return showsAll(s, step.looks); });
        ASSERT_TRUE(shot);
        expectShows(*shot, step.looks);
    }
}

void runSceneRows(ViewerProcess& viewer, const std::vector<SceneRow>& rows)
{
    for (const SceneRow& row : rows) {
        SCOPED_TRACE(row.name);
        runSceneSteps(viewer, row.steps);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

long differingPixels(const SceneShot& first, const SceneShot& second)
{
    if (first.width() != second.width() || first.height() != second.height())
        return static_cast<long>(first.width()) * first.height();
    long differing = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            differing += first.at(x, y) == second.at(x, y) ? 0 : 1;
    return differing;
}

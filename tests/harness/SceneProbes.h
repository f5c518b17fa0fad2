#pragma once
// Where a scene point shows in a screenshot taken with the default eye, and
// checks of the colours expected there.
//
//   runSceneSteps(viewer, {{"point p x=-600 z=300 r=1 g=0.5 b=0 size=9",
//                           {{-600, 0, 300, {255, 128, 0}, 2}}},
//                          {"p.x=-400", {{-400, 0, 300, {255, 128, 0}, 2}}}});
//
// The default eye stands at (0, -2000, 0) and looks along +y with +z up:
// the origin is at pixel (360, 240), +x to the right, +z upwards, about
// 0.462 pixel per unit at the depth of the origin, more for nearer points.

#include "SceneShots.h"

#include <string>
#include <vector>

struct ScreenPixel {
    int x = 0, y = 0;
};

// The pixel that shows the scene point (x, y, z); points nearer the eye
// (smaller y) spread further from the centre.
ScreenPixel screenPixel(double x, double y, double z);

// A colour expected, within a tolerance per channel, where a scene point shows.
struct ScenePixel {
    double x = 0, y = 0, z = 0;
    Rgb colour;
    int tolerance = 0;
};

bool showsAll(const SceneShot& shot, const std::vector<ScenePixel>& looks);
// One failure per scene pixel whose colour is not the one expected.
void expectShows(const SceneShot& shot, const std::vector<ScenePixel>& looks);

// A command and what the frames after it show.
struct SceneStep {
    std::string command;
    std::vector<ScenePixel> looks;
};

// Sends each command and waits until a screenshot shows what the step
// expects; a failure for each scene pixel that does not show in time.
void runSceneSteps(ViewerProcess& viewer, const std::vector<SceneStep>& steps);

// A row of a table that shares one viewer: its steps draw at a place of
// their own on the screen, so that rows cannot disturb one another.
struct SceneRow {
    const char* name;
    std::vector<SceneStep> steps;
};

// Runs the rows in order; stops at the first fatal failure.
void runSceneRows(ViewerProcess& viewer, const std::vector<SceneRow>& rows);

// How many pixels two screenshots of the same size differ in (all of them
// when their sizes differ).
long differingPixels(const SceneShot& first, const SceneShot& second);

#pragma once
// Probes limited to a region of a screenshot, for scenes that show several
// shapes of like colours at once.
//
//   const PixelBox region{60, 50, 160, 150};
//   PixelBox box = boxWithin(*shot, region, [](const Rgb& c) { return c.r > 150; });

#include "SceneShots.h"

#include <functional>

// The square region of the given half side around a pixel.
PixelBox regionAround(int x, int y, int halfSide);

// The box of the pixels within the region (inclusive bounds) for which the test holds.
PixelBox boxWithin(const SceneShot& shot, const PixelBox& region, const std::function<bool(const Rgb&)>& test);

// How many pixels within the region pass the test.
long countWithin(const SceneShot& shot, const PixelBox& region, const std::function<bool(const Rgb&)>& test);

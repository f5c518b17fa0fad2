#include "PixelRegion.h"

#include <algorithm>

namespace {

// Calls visit(x, y, colour) for every pixel of the region that lies in the picture.
template <typename Visit>
void forEachPixel(const SceneShot& shot, const PixelBox& region, Visit visit)
{
    for (int y = std::max(region.top, 0); y <= std::min(region.bottom, shot.height() - 1); ++y)
        for (int x = std::max(region.left, 0); x <= std::min(region.right, shot.width() - 1); ++x)
            visit(x, y, shot.at(x, y));
}

}  // namespace

PixelBox regionAround(int x, int y, int halfSide) { return {x - halfSide, y - halfSide, x + halfSide, y + halfSide}; }

PixelBox boxWithin(const SceneShot& shot, const PixelBox& region, const std::function<bool(const Rgb&)>& test)
{
    PixelBox box{shot.width(), shot.height(), -1, -1};
    forEachPixel(shot, region, [&](int x, int y, const Rgb& colour) {
        if (!test(colour))
            return;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
    });
    return box;
}

long countWithin(const SceneShot& shot, const PixelBox& region, const std::function<bool(const Rgb&)>& test)
{
    long pixels = 0;
    forEachPixel(shot, region, [&](int, int, const Rgb& colour) { pixels += test(colour) ? 1 : 0; });
    return pixels;
}

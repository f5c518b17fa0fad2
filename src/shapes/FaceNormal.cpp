#include "FaceNormal.h"

#include <osg/Vec3d>
#include <cmath>

osg::Vec3f faceNormal(const osg::Vec3f* corners, std::size_t count)
{
    if (count < 3)
        return {0.0f, 0.0f, 0.0f};
    // Twice the area vector, as a fan of triangles around the first corner,
    // in double precision so that far-away faces keep their direction.
    const osg::Vec3d first(corners[0]);
    osg::Vec3d area(0.0, 0.0, 0.0);
    for (std::size_t k = 1; k + 1 < count; ++k)
        area += (osg::Vec3d(corners[k]) - first) ^ (osg::Vec3d(corners[k + 1]) - first);
    const double length = area.length();
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0f, 0.0f, 0.0f};
    return osg::Vec3f(area / length);
}

#include "ShapeRules.h"

#include <osg/Math>

osg::Quat turnAbout(float degrees, const osg::Vec3f& axis)
{
    return osg::Quat(static_cast<double>(osg::DegreesToRadians(degrees)), osg::Vec3d(axis));
}

PlacementTransform::PlacementTransform(const Placement& placement)
    : centre(placement.position), centreFinite(isFinite(centre))
{
    // A zero axis turns by nothing whatever the angle: most shapes never
    // build their turns. Others may still turn by nothing (an angle of 0).
    const osg::Vec3f noAxis(0.0f, 0.0f, 0.0f);
    if (placement.rotAxis == noAxis && placement.tiltAxis == noAxis)
        return;
    Matrices made{osg::Matrixd::rotate(turnAbout(placement.rot, placement.rotAxis)),
                  osg::Matrixd::rotate(turnAbout(placement.tilt, placement.tiltAxis)),
                  osg::Matrixd::translate(centre)};
    if (!made.rotation.isIdentity() || !made.tiltRotation.isIdentity())
        turned = made;
}

PlacementTransform::Matrices PlacementTransform::unturned() const
{
    return Matrices{osg::Matrixd(), osg::Matrixd(), osg::Matrixd::translate(centre)};
}

osg::Vec3f PlacementTransform::pointByMatrices(const osg::Vec3f& p) const
{
    return turned ? pointThrough(*turned, p) : pointThrough(unturned(), p);
}

osg::Vec3f PlacementTransform::pointByMatrices(const osg::Vec3d& p) const
{
    return turned ? pointThrough(*turned, p) : pointThrough(unturned(), p);
}

osg::Vec3f PlacementTransform::normalByMatrices(const osg::Vec3f& n) const
{
    return turned ? normalThrough(*turned, n) : normalThrough(unturned(), n);
}

osg::Vec3f PlacementTransform::pointThrough(const Matrices& m, const osg::Vec3f& p)
{
    const osg::Vec3f turnedPoint = p * m.rotation;
    const osg::Vec3f tilted = turnedPoint * m.tiltRotation;
    return tilted * m.translation;
}

osg::Vec3f PlacementTransform::pointThrough(const Matrices& m, const osg::Vec3d& p)
{
    return osg::Vec3f(((p * m.rotation) * m.tiltRotation) * m.translation);
}

osg::Vec3f PlacementTransform::normalThrough(const Matrices& m, const osg::Vec3f& n)
{
    const osg::Vec3f turnedNormal = n * m.rotation;
    return turnedNormal * m.tiltRotation;
}

osg::StateSet::RenderingHint colourBin(std::initializer_list<float> alphas)
{
    for (float alpha : alphas)
        if (!(static_cast<double>(alpha) == 1.0))
            return osg::StateSet::TRANSPARENT_BIN;
    return osg::StateSet::DEFAULT_BIN;
}

void applyColourBin(osg::StateSet& stateSet, std::initializer_list<float> alphas)
{
    stateSet.setRenderingHint(colourBin(alphas));
}

#include "ShapeRules.h"

#include <osg/Math>

osg::Quat turnAbout(float degrees, const osg::Vec3f& axis)
{
    return osg::Quat(static_cast<double>(osg::DegreesToRadians(degrees)), osg::Vec3d(axis));
}

PlacementTransform::PlacementTransform(const Placement& placement)
    : rotation(osg::Matrixd::rotate(turnAbout(placement.rot, placement.rotAxis))),
      tiltRotation(osg::Matrixd::rotate(turnAbout(placement.tilt, placement.tiltAxis))),
      translation(osg::Matrixd::translate(osg::Vec3d(placement.position)))
{
}

osg::Vec3f PlacementTransform::point(const osg::Vec3f& p) const
{
    const osg::Vec3f turned = p * rotation;
    const osg::Vec3f tilted = turned * tiltRotation;
    return tilted * translation;
}

osg::Vec3f PlacementTransform::pointPrecise(const osg::Vec3d& p) const
{
    return osg::Vec3f(((p * rotation) * tiltRotation) * translation);
}

osg::Vec3f PlacementTransform::normal(const osg::Vec3f& n) const
{
    const osg::Vec3f turned = n * rotation;
    return turned * tiltRotation;
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

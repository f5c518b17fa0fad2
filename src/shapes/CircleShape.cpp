#include "CircleShape.h"

#include "FullName.h"
#include "LightingState.h"
#include "ParameterGroups.h"

#include <osg/Math>
#include <cmath>

namespace {

const ParameterKey radiusKey("radius");

}  // namespace

CircleShape::CircleShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "circle", this);
    BasicShape::setName(fullName(userName, objectName));

    vertices = new osg::Vec3Array(segments + 2);
    colors = new osg::Vec4Array(segments + 2);
    normals = new osg::Vec3Array(1);
    setVertexArray(vertices);
    setNormalArray(normals, osg::Array::BIND_PER_PRIMITIVE_SET);
    setColorArray(colors, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::TRIANGLE_FAN, 0, segments + 2));

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    switchOnLights(*stateSet);
}

void CircleShape::redraw()
{
    float radius = 1.0f;
    Placement placement;
    osg::Vec4f centreColour = colors->front();
    osg::Vec4f rimColour = (*colors)[1];

    std::string shaderName;
    {
        ParameterRead read(*this);
        readPlacement(read, placement);
        read.number(radiusKey, radius);
        readColour(read, centreColour, 1);
        readColour(read, rimColour, 2);
        shader.readName(read, shaderName);
    }
    const ShaderPaths shaderPaths = shader.paths(shaderName);

    setPosition(placement, radius);
    setColor(centreColour, rimColour);
    shader.apply(*getOrCreateStateSet(), shaderPaths);

    vertices->dirty();
    normals->dirty();
    colors->dirty();
    dirtyBound();
}

void CircleShape::setPosition(const Placement& placement, float radius)
{
    const PlacementTransform transform(placement);
    normals->front() = transform.normal(osg::Vec3f(0.0f, -1.0f, 0.0f));
    (*vertices)[0] = transform.pointPrecise(osg::Vec3d(0.0, 0.0, 0.0));
    const float step = static_cast<float>(-2.0 * osg::PI / segments);
    for (int i = 1; i <= segments + 1; ++i) {
        const double angle = step * static_cast<float>(i);
        const osg::Vec3d rim(radius * std::cos(angle), 0.0, radius * std::sin(angle));
        (*vertices)[i] = transform.pointPrecise(rim);
    }
}

void CircleShape::setColor(const osg::Vec4f& centreColour, const osg::Vec4f& rimColour)
{
    colors->front() = centreColour;
    std::fill(colors->begin() + 1, colors->end(), rimColour);
    applyColourBin(*getOrCreateStateSet(), {centreColour.a(), rimColour.a()});
}

#include "CylinderShape.h"

#include "FullName.h"
#include "LightingState.h"
#include "ParameterGroups.h"
#include "ShapeRules.h"

namespace {

const ParameterKey rxKey("rx"), ryKey("ry"), rzKey("rz");
const ParameterKey radiusKey("radius"), heightKey("height"), rotateKey("rotate");

}  // namespace

CylinderShape::CylinderShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "cylinder", this);
    BasicShape::setName(fullName(userName, objectName));

    shapeCylinder = new osg::Cylinder();
    setShape(shapeCylinder);

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    applyLighting(*stateSet);
}

void CylinderShape::redraw()
{
    osg::Vec3f centre;
    osg::Vec4f colour(0.0f, 0.0f, 0.0f, 0.0f);
    osg::Vec3f axis;
    float radius = shapeRadius;
    float height = shapeHeight;
    float angle = 0.0f;
    std::string shader;

    {
        ParameterRead read(*this);
        readPosition(read, centre);
        readColour(read, colour);
        read.number(rxKey, axis.x());
        read.number(ryKey, axis.y());
        read.number(rzKey, axis.z());
        read.number(radiusKey, radius);
        read.number(heightKey, height);
        read.number(rotateKey, angle);
        ShapeShader::readName(read, shader);
    }

    setShapePosition(centre, radius, height);
    setShapeRotation(turnAbout(angle, axis));
    rebuildShape();
    setShapeColor(colour);
    setShader(shapeShader.paths(shader));
}

void CylinderShape::setShapePosition(const osg::Vec3f& centre, float radius, float height)
{
    shapeCylinder->set(centre, radius, height);
    shapeRadius = radius;
    shapePosition = centre;
    shapeHeight = height;
}

void CylinderShape::setShapeRotation(const osg::Quat& rotation) { shapeCylinder->setRotation(rotation); }

void CylinderShape::setShapeColor(const osg::Vec4f& colour)
{
    setColor(colour);
    shapeColor = colour;
    applyColourBin(*getOrCreateStateSet(), {colour.a()});
}

void CylinderShape::setShader(const ShaderPaths& paths) { shapeShader.apply(*getOrCreateStateSet(), paths); }

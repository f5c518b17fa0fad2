#include "CylinderShape.h"

#include "Config.h"
#include "FullName.h"
#include "LightingState.h"
#include "ParameterGroups.h"
#include "ShapeRules.h"

CylinderShape::CylinderShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "cylinder", this);
    BasicShape::setName(fullName(userName, objectName));

    shapeCylinder = new osg::Cylinder();
    setShape(shapeCylinder);

    osg::StateSet* stateSet = getOrCreateStateSet();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    applyLighting(*stateSet);

    shaderDir = Config::getInstance()->get("Shader");
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

    readPosition(*this, centre);
    readColour(*this, colour);
    getParameterValue("rx", axis.x());
    getParameterValue("ry", axis.y());
    getParameterValue("rz", axis.z());
    getParameterValue("radius", radius);
    getParameterValue("height", height);
    getParameterValue("rotate", angle);
    getParameterString("shader", shader);

    setShapePosition(centre, radius, height);
    setShapeRotation(turnAbout(angle, axis));
    rebuildShape();
    setShapeColor(colour);
    setShader(shaderPaths(shaderDir, shader));
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

void CylinderShape::setShader(const ShaderPaths& paths) { shaderProgram.apply(*getOrCreateStateSet(), paths); }

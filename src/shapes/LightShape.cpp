#include "LightShape.h"

#include "FullName.h"
#include "MainNode.h"
#include "ParameterGroups.h"
#include "ShapeRules.h"
#include "findNodeVisitor.h"

#include <osg/Geode>
#include <osg/Material>
#include <cmath>

namespace {

const int lightCount = 8;
const ParameterKey typeKey("type"), radiusKey("radius"), numKey("num");

}  // namespace

std::optional<int> lightNumber(float num)
{
    // Compared as a float before the conversion, which is undefined out of range.
    if (!(num > -1.0f && num < static_cast<float>(lightCount)))
        return std::nullopt;
    return static_cast<int>(num);
}

LightShape::LightShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "light", this);
    BasicShape::setName(fullName(userName, objectName));

    sphere = new osg::Sphere(osg::Vec3f(0.0f, 0.0f, 0.0f), 1.0f);
    setShape(sphere);
    lightSource = new osg::LightSource();
    light = new osg::Light();

    stateSet = getOrCreateStateSet();
    osg::Material* material = new osg::Material();
    stateSet->setMode(GL_BLEND, osg::StateAttribute::ON);
    stateSet->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
    stateSet->setAttributeAndModes(material, osg::StateAttribute::ON);
}

void LightShape::redraw()
{
    osg::Vec3f position(0.0f, 0.0f, 0.0f);
    float w = 0.0f;
    osg::Vec4f colour(0.0f, 0.0f, 0.0f, 0.0f);
    float radius = shapeRadius;
    float num = 0.0f;

    {
        ParameterRead read(*this);
        readPosition(read, position);
        read.number(typeKey, w);
        readColour(read, colour);
        read.number(radiusKey, radius);
        read.number(numKey, num);
    }

    const osg::Vec4f lightPosition(position, w);
    setShapePosition(lightPosition, radius);
    setShapeColor(colour);
    if (const std::optional<int> number = lightNumber(num))
        setLight(lightPosition, colour, osg::Vec4f(0.0f, 0.0f, 0.0f, 1.0f), *number);
    dirtyBound();
}

void LightShape::setShapePosition(const osg::Vec4f& position, float radius)
{
    const osg::Vec3f centre(position.x(), position.y(), position.z());
    shapeRadius = radius;
    shapePosition = centre;
    if (sphere->getCenter() == centre && sphere->getRadius() == radius)
        return;
    sphere->setCenter(centre);
    sphere->setRadius(radius);
    rebuildShape();
}

void LightShape::setShapeColor(const osg::Vec4f& colour)
{
    setColor(colour);
    shapeColor = colour;
    applyColourBin(*stateSet, {colour.a()});
}

void LightShape::setLight(const osg::Vec4f& position, const osg::Vec4f& diffuse, const osg::Vec4f& ambient,
                          int number)
{
    if (!lightNumber(static_cast<float>(number)))
        return;
    osg::Geode* geode = getParent();
    if (geode == nullptr || geode->getNumParents() == 0)
        return;
    osg::Node* root = geode->getParent(0);

    osg::Light* target = findLight(*root, number);
    if (target == nullptr)
        target = light;
    target->setLightNum(number);
    target->setPosition(position);
    target->setDiffuse(diffuse);
    target->setAmbient(ambient);
    if (target != light || lightSourceQueued)
        return;

    lightSource->setLight(light);
    if (auto* mainNode = dynamic_cast<MainNode*>(root)) {
        mainNode->addElement(lightSource);
        lightSourceQueued = true;
    }
}

osg::Light* LightShape::findLight(osg::Node& root, int number)
{
    FindNodeVisitor finder("LightSource");
    root.accept(finder);
    for (osg::Node* node : finder.getNodeList()) {
        auto* source = dynamic_cast<osg::LightSource*>(node);
        osg::Light* found = source != nullptr ? source->getLight() : nullptr;
        if (found != nullptr && found->getLightNum() == number)
            return found;
    }
    return nullptr;
}

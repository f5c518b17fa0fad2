#include "ModelShape.h"

#include "Config.h"
#include "FullName.h"
#include "LightingState.h"
#include "MainNode.h"
#include "ModelFiles.h"
#include "ParameterGroups.h"
#include "SafeFileName.h"
#include "ShapeRules.h"

#include <iostream>

namespace {

const std::string noModel = "None";
const ParameterKey scaleKey("scale"), fileKey("file");

}  // namespace

ModelShape::ModelShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "model", this);
    BasicShape::setName(fullName(userName, objectName));

    // The loaded model shares this state set, so OVERRIDE reaches its parts.
    osg::StateSet* stateSet = getOrCreateStateSet();
    material = applyLighting(*stateSet, osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
    stateSet->setMode(GL_RESCALE_NORMAL, osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);

    modelDir = Config::getInstance()->get("ModelDir");
}

void ModelShape::redraw()
{
    Placement placement;
    osg::Vec4f colour(0.0f, 0.0f, 0.0f, 0.0f);
    float scale = 1.0f;
    std::string file;

    {
        ParameterRead read(*this);
        readPlacement(read, placement);
        readColour(read, colour);
        read.number(scaleKey, scale);
        read.text(fileKey, file);
    }

    if (file != noModel)
        std::cout << "filename: " + printableText(modelPath(file)) + "\n" << std::flush;
    queueTransform();
    setGeometry(file);
    setShapeColor(colour);
    setShapePosition(placement.position);
    setShapeAttitude(placement.rot, placement.rotAxis, placement.tilt, placement.tiltAxis);
    setScale(scale);
    dirtyBound();
}

std::string ModelShape::modelPath(const std::string& fileName) const
{
    return fileName == noModel ? noModel : modelDir + "/" + fileName;
}

void ModelShape::queueTransform()
{
    MainNode* root = sceneRootOf(getParent());
    if (transformQueued || root == nullptr)
        return;
    root->addElement(transform.get());
    transformQueued = true;
}

void ModelShape::setGeometry(const std::string& fileName)
{
    if (lastTriedFile == fileName)
        return;
    lastTriedFile = fileName;
    if (fileName == noModel)
        return;
    const std::string path = modelPath(fileName);
    osg::ref_ptr<osg::Node> model = isSafeFileName(fileName) ? readModelSafely(path) : nullptr;
    if (!model.valid()) {
        std::cerr << "Error no model found: " + printableText(path) + "\n";
        return;  // keeps showing the model it has; a new name is read again
    }
    model->setStateSet(getOrCreateStateSet());
    transform->removeChildren(0, transform->getNumChildren());
    transform->addChild(model.get());
}

void ModelShape::setShapeColor(const osg::Vec4f& colour)
{
    material->setAmbient(osg::Material::FRONT_AND_BACK, colour);
    material->setDiffuse(osg::Material::FRONT_AND_BACK, colour);
}

void ModelShape::setShapePosition(const osg::Vec3f& position) { transform->setPosition(osg::Vec3d(position)); }

void ModelShape::setShapeAttitude(float rot, const osg::Vec3f& rotAxis, float tilt, const osg::Vec3f& tiltAxis)
{
    transform->setAttitude(turnAbout(rot, rotAxis) * turnAbout(tilt, tiltAxis));
}

void ModelShape::setScale(float factor) { transform->setScale(osg::Vec3d(factor, factor, factor)); }

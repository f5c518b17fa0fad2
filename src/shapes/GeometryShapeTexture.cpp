// The texture operations of GeometryShape: unit 0 of the geometry's state
// set shows the image that a shape parameter names. They run in the
// shape's update(); a call with the name the texture already carries reads
// nothing.

#include "GeometryShape.h"
#include "ImageFiles.h"

#include <osg/ImageSequence>
#include <osg/StateSet>
#include <osg/Texture2D>
#include <iostream>

namespace {

osg::Texture* textureOfUnit0(osg::StateSet* stateSet)
{
    return dynamic_cast<osg::Texture*>(stateSet->getTextureAttribute(0, osg::StateAttribute::TEXTURE));
}

// An empty name switches the texture off; it keeps its image and name.
void switchOff(osg::StateSet* stateSet)
{
    if (auto* texture = dynamic_cast<osg::Texture2D*>(textureOfUnit0(stateSet)))
        stateSet->setTextureAttributeAndModes(0, texture, osg::StateAttribute::OFF);
}

// A texture switched off by an empty name shows again once a name is given.
void switchOn(osg::StateSet* stateSet, osg::Texture* texture)
{
    if (!(stateSet->getTextureMode(0, GL_TEXTURE_2D) & osg::StateAttribute::ON))
        stateSet->setTextureAttributeAndModes(0, texture, osg::StateAttribute::ON);
}

// Gives the texture a new image and the name it was read under.
void replaceImage(osg::Texture* texture, osg::Image* image, const std::string& name)
{
    texture->setImage(0, image);
    texture->setName(name);
    // Dropping an image sequence leaves the texture static; it stays dynamic.
    texture->setDataVariance(osg::Object::DYNAMIC);
    texture->dirtyTextureObject();  // the new image may differ in size and format
}

// Attaches a new texture showing the image, switched on.
void attachNew(osg::StateSet* stateSet, osg::Image* image, const std::string& name)
{
    osg::ref_ptr<osg::Texture2D> texture = new osg::Texture2D();
    texture->setDataVariance(osg::Object::DYNAMIC);
    texture->setImage(image);
    texture->setName(name);
    stateSet->setTextureAttributeAndModes(0, texture.get(), osg::StateAttribute::ON);
}

}  // namespace

void GeometryShape::setTextureImage(std::string imageName)
{
    osg::StateSet* stateSet = getOrCreateStateSet();
    if (imageName.empty()) {
        switchOff(stateSet);
        return;
    }
    auto* texture = dynamic_cast<osg::Texture2D*>(textureOfUnit0(stateSet));
    if (texture == nullptr) {
        osg::ref_ptr<osg::Image> image = readTextureImage(imageName);
        if (image.valid())
            attachNew(stateSet, image.get(), imageName);
        return;
    }
    if (texture->getName() != imageName) {
        osg::ref_ptr<osg::Image> image = readTextureImage(imageName);
        if (!image.valid())
            return;  // keeps showing the image it has; the next redraw tries again
        replaceImage(texture, image.get(), imageName);
    }
    switchOn(stateSet, texture);
}

void GeometryShape::setVideoTexture(std::string fileName)
{
    osg::StateSet* stateSet = getOrCreateStateSet();
    if (fileName.empty()) {
        switchOff(stateSet);
        return;
    }
    osg::Texture* texture = textureOfUnit0(stateSet);
    if (texture == nullptr) {
        osg::ref_ptr<osg::Image> image = readTextureImage(fileName);
        if (!image.valid())
            return;
        auto* sequence = dynamic_cast<osg::ImageSequence*>(image.get());
        if (sequence != nullptr)
            std::cout << "setVideoTexture\n" << std::flush;  // one write: the line stays whole
        // The image keeps its own size: scaleImage(2048, 1024, 0) only
        // complains in OpenSceneGraph 3.6 (a depth of 0 is refused), and
        // textures of any size are resized for the card as needed.
        attachNew(stateSet, image.get(), fileName);
        if (sequence != nullptr)
            sequence->play();
        return;
    }
    if (texture->getName() != fileName) {
        osg::ref_ptr<osg::Image> image = readTextureImage(fileName);
        if (!image.valid())
            return;
        // A still image plays as a sequence of one; a sequence plays itself.
        osg::ref_ptr<osg::ImageSequence> sequence = dynamic_cast<osg::ImageSequence*>(image.get());
        if (!sequence.valid()) {
            sequence = new osg::ImageSequence();
            sequence->setImage(0, image.get());
        }
        sequence->play();
        replaceImage(texture, sequence.get(), fileName);
    }
    switchOn(stateSet, texture);
}

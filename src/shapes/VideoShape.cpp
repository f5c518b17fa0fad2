#include "VideoShape.h"

#include "FullName.h"
#include "LightingState.h"

namespace {

const ParameterKey sizeKey("size"), fileKey("file");

}  // namespace

VideoShape::VideoShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "video", this);
    BasicShape::setName(fullName(userName, objectName));
    switchOnLights(*getOrCreateStateSet());
}

void VideoShape::redraw()
{
    float size = 1.0f;
    std::string file;
    {
        ParameterRead read(*this);
        read.number(sizeKey, size);
        read.text(fileKey, file);
    }
    redrawQuad(size, size);
    setVideoTexture(file);
}

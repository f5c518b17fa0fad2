#include "VideoShape.h"

#include "FullName.h"
#include "LightingState.h"

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
    getParameterValue("size", size);
    getParameterString("file", file);
    redrawQuad(size, size);
    setVideoTexture(file);
}

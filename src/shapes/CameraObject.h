#pragma once
// The object of type word "camera": it keeps a position (`x`, `y`, `z`)
// and draws nothing; no camera of the viewer follows it. Threading as
// every shape (DrawableBinding.h).

#include "DrawableShape.h"

#include <string>

class CameraObject : public DrawableShape {
public:
    CameraObject(std::string userName, std::string objectName);

    std::string getType() override { return "camera"; }

    void setCameraPosition(const osg::Vec3f& position);

protected:
    void redraw() override;
};

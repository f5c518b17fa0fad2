#include "CameraObject.h"

#include "FullName.h"
#include "ParameterGroups.h"

CameraObject::CameraObject(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "camera", this);
    BasicShape::setName(fullName(userName, objectName));
    getOrCreateStateSet();  // a state set of its own, left empty
}

void CameraObject::redraw()
{
    osg::Vec3f position(0.0f, 0.0f, 0.0f);
    {
        ParameterRead read(*this);
        readPosition(read, position);
    }
    setCameraPosition(position);
    dirtyBound();
}

void CameraObject::setCameraPosition(const osg::Vec3f& position)
{
    shapePosition = position;
    dirtyGLObjects();
}

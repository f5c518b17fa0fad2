#pragma once
// What the shape tests share with the running viewer: the definitions
// table, shapes that live until the process ends, per-test user names and
// update traversals without a window.

#include "BasicShape.h"
#include "ShapeRules.h"
#include "support/ShapeDefs.h"

#include <osg/Drawable>
#include <osg/FrameStamp>
#include <osg/Node>
#include <osgUtil/UpdateVisitor>
#include <mutex>
#include <string>
#include <vector>


// Values hold plain pointers to the shapes bound to them and the redraw set
// may too, so a test's shapes are kept alive, as the viewer keeps them.
inline void keepForever(BasicShape* shape)
{
    static std::vector<osg::ref_ptr<osg::Drawable>> kept;
    kept.push_back(shape->asDrawable());
}

// A user name no other test uses, so that each test has values of its own.
inline std::string freshUser(const std::string& prefix)
{
    static int serial = 0;
    return prefix + std::to_string(serial++);
}

// Runs update traversals as the viewer's frames do, at given simulation times.
class UpdateFrames {
public:
    explicit UpdateFrames(osg::Node* root) : root(root) {}

    void at(double simulationTime)
    {
        stamp->setFrameNumber(++frame);
        stamp->setSimulationTime(simulationTime);
        stamp->setReferenceTime(simulationTime);
        osgUtil::UpdateVisitor visitor;
        visitor.setFrameStamp(stamp.get());
        visitor.setTraversalNumber(frame);
        root->accept(visitor);
    }

private:
    osg::ref_ptr<osg::Node> root;
    osg::ref_ptr<osg::FrameStamp> stamp = new osg::FrameStamp();
    unsigned int frame = 0;
};

// A placement turned by rot about its axis, then by tilt about a second
// axis, then moved to the position.
inline Placement turned(float rot, osg::Vec3f rotAxis, float tilt = 0, osg::Vec3f tiltAxis = {0, 0, 0},
                        osg::Vec3f position = {0, 0, 0})
{
    Placement placement;
    placement.position = position;
    placement.rot = rot;
    placement.rotAxis = rotAxis;
    placement.tilt = tilt;
    placement.tiltAxis = tiltAxis;
    return placement;
}

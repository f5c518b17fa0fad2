#pragma once
// The shape of type word "light": drives one of the eight fixed-function
// lights (`num` 0 to 7) with its position (`x`, `y`, `z`, `type` as w: 1
// positional, 0 directional) and diffuse colour (`r`, `g`, `b`, `a`), and
// shows an unlit sphere of `radius` at (`x`, `y`, `z`) in that colour.
//
// On each redraw it searches the scene root for light sources: the first
// whose light has the shape's number is set; when there is none, the
// shape's own light takes the number and its light source is queued under
// the root (once in the shape's life: later changes of number relabel it).
// Threading as every shape (DrawableBinding.h): the redraw walks the scene
// in the main thread, where alone it changes, and queues its light source
// with MainNode::addElement (LockOrder.h).

#include "DrawableShape.h"

#include <osg/Light>
#include <osg/LightSource>
#include <osg/Shape>
#include <osg/StateSet>
#include <optional>
#include <string>

// The light that `num` names: truncated toward zero, 0 to 7; nothing for
// any other value, NaN and infinities included.
std::optional<int> lightNumber(float num);

class LightShape : public DrawableShape {
public:
    LightShape(std::string userName, std::string objectName);

    std::string getType() override { return "light"; }

    // The marker's centre (x, y, z of the position) and radius.
    void setShapePosition(const osg::Vec4f& position, float radius);
    void setShapeColor(const osg::Vec4f& colour);
    // Sets the first light of the number under the scene root, or the
    // shape's own; a number that lightNumber refuses changes nothing.
    void setLight(const osg::Vec4f& position, const osg::Vec4f& diffuse, const osg::Vec4f& ambient, int number);

protected:
    void redraw() override;

private:
    // The first light of the number under the node, skipping light sources without one.
    static osg::Light* findLight(osg::Node& root, int number);

    osg::StateSet* stateSet;
    osg::Sphere* sphere;
    osg::Light* light;
    osg::LightSource* lightSource;
    bool lightSourceQueued = false;
};

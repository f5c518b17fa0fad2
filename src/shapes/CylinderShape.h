#pragma once
// The shape of type word "cylinder": a lit solid cylinder of `radius` and
// `height` around its centre (`x`, `y`, `z`), turned by `rotate` degrees
// about (`rx`, `ry`, `rz`), in one colour, with an optional shader program.
// `texture` changes nothing that is drawn.
// Threading as every shape (DrawableBinding.h).

#include "DrawableShape.h"
#include "ShapeShader.h"

#include <osg/Quat>
#include <osg/Shape>
#include <string>

class CylinderShape : public DrawableShape {
public:
    CylinderShape(std::string userName, std::string objectName);

    std::string getType() override { return "cylinder"; }

    // Centre, radius and height of the cylinder; takes effect with rebuildShape().
    void setShapePosition(const osg::Vec3f& centre, float radius, float height);
    // Its rotation; takes effect with rebuildShape().
    void setShapeRotation(const osg::Quat& rotation);
    // Set after rebuildShape(), which builds the colour array anew.
    void setShapeColor(const osg::Vec4f& colour);
    void setShader(const ShaderPaths& paths);

protected:
    void redraw() override;

private:
    osg::Cylinder* shapeCylinder;
    ShapeShader shapeShader;
};

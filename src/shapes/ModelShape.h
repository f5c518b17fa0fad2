#pragma once
// The shape of type word "model": a model read from `file` in ModelDir,
// hung under a transform of its own beside the shape's geode, scaled by
// `scale`, turned by `rot` about (`rotx`, `roty`, `rotz`) and then by `tilt`
// about (`tiltx`, `tilty`, `tiltz`), moved to (`x`, `y`, `z`) and coloured
// through a material (`r`, `g`, `b`, `a`). The shape's own drawable draws
// nothing; its state set (lighting, material) is shared with the model.
// `size` and `shader` change nothing that is drawn.
//
// The file is read whenever `file` differs from the name last tried: "None"
// reads nothing, a model read replaces the one shown, and a failed read
// writes an error line and keeps it.
//
// Threading as every shape (DrawableBinding.h). The file is read in the
// redraw, in the main thread; the transform is queued under the scene
// root (MainNode::addElement) once, from the first redraw that finds the
// shape in the scene.

#include "GeometryShape.h"

#include <osg/Material>
#include <osg/PositionAttitudeTransform>
#include <osg/ref_ptr>
#include <optional>
#include <string>

class ModelShape : public GeometryShape {
public:
    ModelShape(std::string userName, std::string objectName);

    std::string getType() override { return "model"; }

    // Reads the model when the file name is new; "None" names no model.
    void setGeometry(const std::string& fileName);
    void setShapeColor(const osg::Vec4f& colour);
    void setShapePosition(const osg::Vec3f& position);
    void setShapeAttitude(float rot, const osg::Vec3f& rotAxis, float tilt, const osg::Vec3f& tiltAxis);
    void setScale(float factor);

    // The transform that carries the model (for tests).
    osg::PositionAttitudeTransform* getTransform() { return transform.get(); }

protected:
    void redraw() override;

private:
    // The model file's path: "None" stays as it is.
    std::string modelPath(const std::string& fileName) const;
    // Queues the transform under the scene root, once the geode is under it.
    void queueTransform();

    osg::ref_ptr<osg::PositionAttitudeTransform> transform = new osg::PositionAttitudeTransform();
    osg::Material* material;
    std::string modelDir;
    std::optional<std::string> lastTriedFile;  // none before the first read
    bool transformQueued = false;
};

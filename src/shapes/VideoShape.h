#pragma once
// The shape of type word "video": a flat square of edge `size` facing -y in
// its own frame, placed by the placement rule, in one overall colour, that
// shows the picture or image sequence named by `file` (read from TextureDir
// only when the name changes) through four free texture coordinates.
// `texture`, `shader` and `go` change nothing that is drawn.
// Threading as every shape (DrawableBinding.h).

#include "GeometryShape.h"
#include "ShapeRules.h"

#include <osg/Array>
#include <string>

class VideoShape : public GeometryShape {
public:
    VideoShape(std::string userName, std::string objectName);

    std::string getType() override { return "video"; }

    // Rebuilds the four corners and the normal.
    void setPosition(const Placement& placement, float size);
    void setColor(const osg::Vec4f& colour);
    void setTextureCoords(const TextureCorners& corners);

protected:
    void redraw() override;

private:
    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec3Array* normals;
    osg::Vec2Array* texCoords;
};

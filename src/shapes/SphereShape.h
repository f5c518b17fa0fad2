#pragma once
// The shape of type word "sphere": a lit sphere of `radius` around its
// centre, drawn as the quads between the points of a grid of 50 rows from
// the pole at -z to the pole at +z and 50 columns around z (the last column
// repeats the first, at the texture seam), in one colour, optionally
// textured and drawn through a shader pair. Threading as every shape
// (DrawableBinding.h).

#include "GeometryShape.h"
#include "ShapeRules.h"
#include "ShapeShader.h"

#include <osg/Array>
#include <string>
#include <vector>

class SphereShape : public GeometryShape {
public:
    static const unsigned rings = 50;
    static const unsigned sectors = 50;
    static const unsigned gridPoints = rings * sectors;
    // Cell (r, s), for r and s below 49, is quad r * 49 + s; its corners are
    // the grid points (r, s), (r, s + 1), (r + 1, s + 1), (r + 1, s).
    static const unsigned cornerCount = 4 * (rings - 1) * (sectors - 1);

    SphereShape(std::string userName, std::string objectName);

    std::string getType() override { return "sphere"; }

    // Rebuilds every grid point and normal and the quads' corners.
    void setShapePosition(const Placement& placement, float radius);
    void setShapeColor(const osg::Vec4f& colour);

protected:
    void redraw() override;

private:
    // Grid point (r, s) has the texture coordinate ((49 - s) / 49, r / 49);
    // written once, by the constructor.
    void setTexCoords();

    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec2Array* texCoords;
    osg::Vec3Array* normals;
    // Grid point (r, s) at index r * sectors + s, placed, with its turned normal.
    std::vector<osg::Vec3f> pointGrid;
    std::vector<osg::Vec3f> normalGrid;
    ShapeShader shader;
};

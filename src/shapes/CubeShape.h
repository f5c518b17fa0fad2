#pragma once
// The shape of type word "cube": a cube of edge `size` built around its
// centre, turned, tilted and moved by the placement rule, drawn as six quads
// with one normal per face and one overall colour, with an optional texture
// on unit 0 (t1 to t4 on every face) and an optional shader program.
// Cubes share one state set until one needs a bin, texture or shader of its
// own (SharedState.h); in a scene, a cube that shares it and whose vertices
// are all finite is drawn in the scene's cube batch (CubeBatch.h), not by
// itself. Threading as every shape (DrawableBinding.h).

#include "GeometryShape.h"
#include "ShapeShader.h"
#include "ShapeRules.h"

#include <osg/Array>
#include <osg/ref_ptr>
#include <memory>
#include <string>

class CubeBatch;

class CubeShape : public GeometryShape {
public:
    CubeShape(std::string userName, std::string objectName);
    ~CubeShape() override;

    std::string getType() override { return "cube"; }

    // Rebuilds all 24 vertices and normals; whether every vertex is finite.
    bool setPosition(const Placement& placement, float size);
    void setColor(const osg::Vec4f& colour);
    void setTextureCoords(const TextureCorners& corners);
    // The program of the shader that the name gives (ShapeShader.h).
    void setShader(const std::string& shaderName);

protected:
    void redraw() override;

private:
    // Joins, writes or leaves the batch of the scene, after the arrays are
    // written; whether the cube is in the batch now.
    bool drawInBatch(bool finiteVertices);

    osg::Vec3Array* vertices;
    osg::Vec4Array* colors;
    osg::Vec3Array* normals;
    osg::Vec2Array* texCoords;
    std::unique_ptr<ShapeShader> shapeShader;  // made for the first shader other than "None"
    // The `texture` and `shader` texts as the last redraw read them.
    std::string texture;
    std::string shader;
    osg::ref_ptr<CubeBatch> batch;  // null while the cube is drawn by itself
    int batchSlot = 0;
};

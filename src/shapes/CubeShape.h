#pragma once
// The shape of type word "cube": a cube of edge `size` built around its
// centre, turned, tilted and moved by the placement rule, drawn as six quads
// with one normal per face and one overall colour, with an optional texture
// on unit 0 (t1 to t4 on every face) and an optional shader program.
// Cubes share one state set until one needs a bin, texture or shader of its
// own (SharedState.h); in a scene, a cube that shares it and whose vertices
// are all finite is drawn in the scene's cube batch (CubeBatch.h), not by
// itself, and holds no arrays of its own: they are made when it draws
// itself and given up when it joins the batch. Threading as every shape
// (DrawableBinding.h).

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

    static constexpr int vertexCount = 24;

    // The placed cube: four vertices per face, with the face's normal.
    struct Faces {
        osg::Vec3f vertices[vertexCount];
        osg::Vec3f normals[vertexCount];
    };

    // Places all 24 vertices and normals; whether every vertex is finite.
    static bool setPosition(const Placement& placement, float size, Faces& faces);
    void setColor(const osg::Vec4f& colour);
    void setTextureCoords(const TextureCorners& corners);
    // The program of the shader that the name gives (ShapeShader.h).
    void setShader(const std::string& shaderName);
    // The 24 vertices the cube is drawn with, in its slot of the batch or in
    // its own array; null before its first redraw. Main thread only.
    const osg::Vec3f* drawnVertices() const;

protected:
    void redraw() override;

private:
    // Joins, writes or leaves the batch of the scene; whether the cube is in
    // the batch now.
    bool drawInBatch(bool finiteVertices, const Faces& faces);
    // Writes the cube's own arrays, made if it has none, and marks them to be sent.
    void drawAlone(const Faces& faces);
    void makeOwnArrays();
    void dropOwnArrays();

    // Kept from one redraw to the next: a row that cannot be read keeps them.
    osg::Vec4f colour;
    TextureCorners textureCorners = {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}};
    // The cube's own arrays; null while it has none.
    osg::Vec3Array* vertices = nullptr;
    osg::Vec4Array* colors = nullptr;
    osg::Vec3Array* normals = nullptr;
    osg::Vec2Array* texCoords = nullptr;
    std::unique_ptr<ShapeShader> shapeShader;  // made for the first shader other than "None"
    // The `texture` and `shader` texts as the last redraw read them.
    std::string texture;
    std::string shader;
    osg::ref_ptr<CubeBatch> batch;  // null while the cube is drawn by itself
    int batchSlot = 0;
};

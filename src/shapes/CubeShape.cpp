#include "CubeShape.h"

#include "CubeBatch.h"
#include "FullName.h"
#include "MainNode.h"
#include "ParameterGroups.h"

#include <algorithm>
#include <cmath>

namespace {

const ParameterKey sizeKey("size"), textureKey("texture");

const int faceCount = 6;
static_assert(CubeShape::vertexCount == 4 * faceCount && CubeShape::vertexCount == CubeBatch::verticesPerCube);

// The corners of each face, in drawing order, as indices of the eight corners.
const int faceCorners[faceCount][4] = {
    {3, 0, 1, 2}, {2, 1, 4, 7}, {7, 4, 5, 6}, {6, 5, 0, 3}, {7, 2, 3, 6}, {5, 0, 1, 4}};
const osg::Vec3f faceNormals[faceCount] = {
    {0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};

// The eight corners of a cube of half edge h around the origin.
void cubeCorners(float h, osg::Vec3f corners[8])
{
    corners[0].set(-h, -h, -h);
    corners[1].set(h, -h, -h);
    corners[2].set(h, -h, h);
    corners[3].set(-h, -h, h);
    corners[4].set(h, h, -h);
    corners[5].set(-h, h, -h);
    corners[6].set(-h, h, h);
    corners[7].set(h, h, h);
}

bool allFinite(const osg::Vec3f* points, int count)
{
    return std::all_of(points, points + count, [](const osg::Vec3f& p) {
        return std::isfinite(p.x()) && std::isfinite(p.y()) && std::isfinite(p.z());
    });
}

}  // namespace

CubeShape::CubeShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "cube", this);
    BasicShape::setName(fullName(userName, objectName));

    cubeState().attach(*this);
}

CubeShape::~CubeShape()
{
    if (batch.valid())
        batch->leave(batchSlot);
    cubeState().detach(*this);
}

void CubeShape::redraw()
{
    float size = 1.0f;
    Placement placement;
    osg::Vec4f newColour = colour;
    TextureCorners corners = textureCorners;

    {
        ParameterRead read(*this);
        read.number(sizeKey, size);
        readPlacement(read, placement);
        readColour(read, newColour);
        read.text(textureKey, texture);
        readTextureCorners(read, corners);
        ShapeShader::readName(read, shader);
    }

    Faces faces;
    const bool finiteVertices = setPosition(placement, size, faces);
    setColor(newColour);
    setTextureCoords(corners);
    if (!texture.empty())
        cubeState().own(*this);
    // The shared state has neither texture nor shader: a cube that still
    // shares it and names none has nothing to switch off.
    const bool shared = cubeState().sharedBy(*this);
    if (!texture.empty() || !shared)
        setTextureImage(texture);
    if (!isNoShader(shader) || !shared)
        setShader(shader);

    if (!drawInBatch(finiteVertices, faces))
        drawAlone(faces);
    dirtyBound();
}

bool CubeShape::drawInBatch(bool finiteVertices, const Faces& faces)
{
    // A vertex that is not finite would spoil the bound of a whole chunk.
    const bool together = finiteVertices && cubeState().sharedBy(*this);
    if (together && !batch.valid()) {
        if (MainNode* root = sceneRootOf(getParent())) {
            batch = &root->cubeBatch();
            batchSlot = batch->join();
            getParent()->setNodeMask(MainNode::updateOnlyMask);
            dropOwnArrays();
        }
    } else if (!together && batch.valid()) {
        batch->leave(batchSlot);
        batch = nullptr;
        getParent()->setNodeMask(~0u);
    }
    if (batch.valid())
        batch->write(batchSlot, faces.vertices, faces.normals, colour);
    return batch.valid();
}

const osg::Vec3f* CubeShape::drawnVertices() const
{
    if (batch.valid())
        return batch->vertices(batchSlot);
    return vertices != nullptr ? &vertices->front() : nullptr;
}

void CubeShape::drawAlone(const Faces& faces)
{
    if (vertices == nullptr)
        makeOwnArrays();
    std::copy(faces.vertices, faces.vertices + vertexCount, vertices->begin());
    std::copy(faces.normals, faces.normals + vertexCount, normals->begin());
    colors->front() = colour;
    writeTextureCorners(*texCoords, textureCorners);
    colors->dirty();
    normals->dirty();
    vertices->dirty();
    texCoords->dirty();
}

void CubeShape::makeOwnArrays()
{
    vertices = new osg::Vec3Array(vertexCount);
    colors = new osg::Vec4Array(1);
    normals = new osg::Vec3Array(vertexCount);
    texCoords = new osg::Vec2Array(vertexCount);
    setVertexArray(vertices);
    setNormalArray(normals, osg::Array::BIND_PER_VERTEX);
    setColorArray(colors, osg::Array::BIND_OVERALL);
    setTexCoordArray(0, texCoords, osg::Array::BIND_PER_VERTEX);
    addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, vertexCount));
}

void CubeShape::dropOwnArrays()
{
    if (vertices == nullptr)
        return;
    setVertexArray(nullptr);
    setNormalArray(nullptr);
    setColorArray(nullptr);
    setTexCoordArray(0, nullptr);
    removePrimitiveSet(0, getNumPrimitiveSets());
    vertices = normals = nullptr;
    colors = nullptr;
    texCoords = nullptr;
}

bool CubeShape::setPosition(const Placement& placement, float size, Faces& faces)
{
    const PlacementTransform transform(placement);
    const float half = size * 0.5f;
    osg::Vec3f corners[8];
    cubeCorners(half, corners);
    // The corners of a finite size are finite: when they are only moved,
    // they need not be tested one by one.
    if (transform.onlyMoves() && std::isfinite(half)) {
        for (osg::Vec3f& corner : corners)
            corner = transform.movedFinite(corner);
    } else {
        for (osg::Vec3f& corner : corners)
            corner = transform.point(corner);
    }
    // The face normals are finite, without negative zeros: unturned, they stay.
    const bool turns = transform.turns();
    osg::Vec3f* vertex = faces.vertices;
    osg::Vec3f* normal = faces.normals;
    for (int face = 0; face < faceCount; ++face) {
        const osg::Vec3f faceNormal = turns ? transform.normal(faceNormals[face]) : faceNormals[face];
        const int* corner = faceCorners[face];
        vertex[0] = corners[corner[0]];
        vertex[1] = corners[corner[1]];
        vertex[2] = corners[corner[2]];
        vertex[3] = corners[corner[3]];
        normal[0] = normal[1] = normal[2] = normal[3] = faceNormal;
        vertex += 4;
        normal += 4;
    }
    // Every vertex is a corner.
    return allFinite(corners, 8);
}

void CubeShape::setColor(const osg::Vec4f& newColour)
{
    colour = newColour;
    if (cubeState().sharedBy(*this) && colourBin({colour.a()}) == osg::StateSet::DEFAULT_BIN)
        return;
    applyColourBin(cubeState().own(*this), {colour.a()});
}

void CubeShape::setTextureCoords(const TextureCorners& corners) { textureCorners = corners; }

void CubeShape::setShader(const std::string& shaderName)
{
    if (cubeState().sharedBy(*this) && isNoShader(shaderName))
        return;
    if (!shapeShader)
        shapeShader.reset(new ShapeShader());
    shapeShader->apply(cubeState().own(*this), shapeShader->paths(shaderName));
}

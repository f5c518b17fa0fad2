#include "CubeBatch.h"

#include "GeometryShape.h"
#include "LightingState.h"
#include "ShaderProgram.h"
#include "ShapeRules.h"

#include <osg/Geometry>

#include <algorithm>
#include <bitset>
#include <cstring>

SharedState& cubeState()
{
    // Blending, lighting with lights 0 to 7, a material that follows the
    // colour, the default bin and no shader.
    static SharedState state([](osg::StateSet& stateSet) {
        stateSet.setMode(GL_BLEND, osg::StateAttribute::ON);
        applyLighting(stateSet);
        applyColourBin(stateSet, {1.0f});
        ShaderProgram().apply(stateSet, shaderPaths("", "None"));
    });
    return state;
}

// One geometry of cubesPerChunk slots, drawn up to the last slot ever
// taken; its bound covers the slots that hold a cube.
class CubeBatch::Chunk : public osg::Geometry {
public:
    Chunk()
        : vertices(new osg::Vec3Array(arraySize)),
          normals(new osg::Vec3Array(arraySize)),
          colours(new osg::Vec4Array(arraySize)),
          drawn(new osg::DrawArrays(osg::PrimitiveSet::QUADS, 0, 0))
    {
        setUseDisplayList(false);
        setUseVertexBufferObjects(true);
        setVertexArray(vertices);
        setNormalArray(normals, osg::Array::BIND_PER_VERTEX);
        setColorArray(colours, osg::Array::BIND_PER_VERTEX);
        addPrimitiveSet(drawn);
        // Slots are written now and then, not in every frame.
        setBufferUsage(*this, GL_DYNAMIC_DRAW_ARB);
        cubeState().attach(*this);
    }

    // Whether every slot has been taken once.
    bool full() const { return taken == cubesPerChunk; }
    // Takes the next slot never taken: from now on it is drawn.
    int take()
    {
        live.set(taken);
        drawn->setCount(verticesPerCube * (taken + 1));
        return taken++;
    }
    // Takes a slot that a cube left.
    void takeAgain(int index) { live.set(index); }

    void write(int index, const osg::Vec3f* cubeVertices, const osg::Vec3f* cubeNormals, const osg::Vec4f& colour)
    {
        const int first = index * verticesPerCube;
        const std::size_t bytes = verticesPerCube * sizeof(osg::Vec3f);
        std::memcpy(&(*vertices)[first], cubeVertices, bytes);
        vertices->dirty();
        dirtyBound();
        // Normals and colours change less often than places: an unchanged
        // one is not sent again. A slot's colours are all one colour.
        osg::Vec3f* normal = &(*normals)[first];
        if (std::memcmp(normal, cubeNormals, bytes) != 0) {
            std::memcpy(normal, cubeNormals, bytes);
            normals->dirty();
        }
        osg::Vec4f* slotColours = &(*colours)[first];
        if (std::memcmp(slotColours, &colour, sizeof colour) != 0) {
            std::fill(slotColours, slotColours + verticesPerCube, colour);
            colours->dirty();
        }
    }

    const osg::Vec3f* slotVertices(int index) const { return &(*vertices)[index * verticesPerCube]; }

    void collapse(int index)
    {
        live.reset(index);
        const int first = index * verticesPerCube;
        osg::Vec3f* vertex = &(*vertices)[first];
        std::fill(vertex + 1, vertex + verticesPerCube, vertex[0]);
        vertices->dirty();
        dirtyBound();
    }

    osg::BoundingBox computeBoundingBox() const override
    {
        osg::BoundingBox box;
        for (int index = 0; index < taken; ++index)
            if (live.test(index))
                for (int k = 0; k < verticesPerCube; ++k)
                    box.expandBy((*vertices)[index * verticesPerCube + k]);
        return box;
    }

protected:
    ~Chunk() override { cubeState().detach(*this); }

private:
    static constexpr int arraySize = cubesPerChunk * verticesPerCube;
    osg::Vec3Array* vertices;
    osg::Vec3Array* normals;
    osg::Vec4Array* colours;
    osg::DrawArrays* drawn;
    std::bitset<cubesPerChunk> live;
    int taken = 0;  // slots ever taken: 0 to taken - 1 are drawn
};

CubeBatch::CubeBatch() = default;
CubeBatch::~CubeBatch() = default;

CubeBatch::Chunk& CubeBatch::chunkOf(int slot) const { return *chunks[static_cast<std::size_t>(slot / cubesPerChunk)]; }

int CubeBatch::join()
{
    if (!freeSlots.empty()) {
        const int slot = freeSlots.back();
        freeSlots.pop_back();
        chunkOf(slot).takeAgain(slot % cubesPerChunk);
        return slot;
    }
    if (chunks.empty() || chunks.back()->full()) {
        chunks.push_back(new Chunk());
        addDrawable(chunks.back().get());
    }
    const int first = static_cast<int>(chunks.size() - 1) * cubesPerChunk;
    return first + chunks.back()->take();
}

void CubeBatch::write(int slot, const osg::Vec3f* vertices, const osg::Vec3f* normals, const osg::Vec4f& colour)
{
    chunkOf(slot).write(slot % cubesPerChunk, vertices, normals, colour);
}

void CubeBatch::leave(int slot)
{
    chunkOf(slot).collapse(slot % cubesPerChunk);
    freeSlots.push_back(slot);
}

const osg::Vec3f* CubeBatch::vertices(int slot) const { return chunkOf(slot).slotVertices(slot % cubesPerChunk); }

#pragma once
// The cubes that share the state every cube starts with, drawn together:
// chunks of up to cubesPerChunk cubes, each chunk one geometry holding each
// of its cubes' 24 placed vertices, normals and colours, under that same
// shared state. Ten thousand default cubes thus take about eighty draws in
// place of ten thousand. A cube in the batch is not drawn by itself (its
// geode carries MainNode::updateOnlyMask); its redraw writes its slot.
// A slot that a cube leaves collapses to one point, which draws nothing and
// bounds nothing, until another cube takes it.
//
// Threading: join(), write(), leave() and vertices() run in the main
// thread, from a cube's redraw, or from its destructor, which runs only
// where no frame is drawn (the viewer destroys no shape while it runs). A
// chunk is drawn in the rendering traversals that follow the update
// traversal that wrote it.

#include "SharedState.h"

#include <osg/Geode>
#include <osg/Vec3f>
#include <osg/Vec4f>
#include <osg/ref_ptr>

#include <vector>

// The state set that every cube starts with and every chunk draws under.
SharedState& cubeState();

class CubeBatch : public osg::Geode {
public:
    static constexpr int cubesPerChunk = 128;
    static constexpr int verticesPerCube = 24;

    CubeBatch();

    // A free slot for one cube: one that a cube left, else a new one.
    int join();
    // Writes the cube's vertices, normals (verticesPerCube of each) and colour to its slot.
    void write(int slot, const osg::Vec3f* vertices, const osg::Vec3f* normals, const osg::Vec4f& colour);
    // Collapses the slot and frees it for the next cube that joins.
    void leave(int slot);
    // The verticesPerCube vertices the slot holds.
    const osg::Vec3f* vertices(int slot) const;

protected:
    ~CubeBatch() override;

private:
    class Chunk;
    Chunk& chunkOf(int slot) const;

    std::vector<osg::ref_ptr<Chunk>> chunks;
    std::vector<int> freeSlots;
};

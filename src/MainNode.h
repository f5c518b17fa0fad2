#pragma once
// The scene root. Any thread queues insertions and removals of children;
// the main thread applies them, in order, in its update traversal. It also
// holds the cubes drawn together (CubeBatch.h), added by the main thread
// in its update traversal when the first cube asks for them.

#include "ThreadQueue.h"

#include <osg/Group>
#include <osg/NodeCallback>
#include <osg/ref_ptr>
#include <utility>

class CubeBatch;

class MainNode : public osg::Group {
public:
    // A node whose mask is this is updated but not drawn: the viewer's
    // camera culls every node that carries none of its other bits.
    static constexpr osg::Node::NodeMask updateOnlyMask = 0x80000000u;

    MainNode();

    void addElement(osg::Node* node);     // queues an insertion
    void removeElement(osg::Node* node);  // queues a removal (not used by the viewer)

    // The cubes drawn together, made and added as the last child when first
    // asked for. Main thread only: a cube's redraw in the update traversal,
    // which visits the children by index, so a child added meanwhile is safe.
    CubeBatch& cubeBatch();

    // Drops every child and every queued change at once, for a fresh scene
    // (not used by the viewer). Only a single-threaded caller may use it,
    // with no other thread running.
    void clear();

    class UpdateCallback : public osg::NodeCallback {
    public:
        void operator()(osg::Node* node, osg::NodeVisitor* visitor) override;
    };

protected:
    ~MainNode() override;

private:
    friend class UpdateCallback;
    // (node, true) queues an insertion, (node, false) a removal. The queue
    // keeps each node alive until the group itself holds it.
    ThreadQueue<std::pair<osg::ref_ptr<osg::Node>, bool>> pending;
    osg::ref_ptr<CubeBatch> batch;
};

// The scene root whose child the node is (a shape's geode), or null.
MainNode* sceneRootOf(osg::Node* node);

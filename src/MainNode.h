#pragma once
// The scene root. Any thread queues insertions and removals of children;
// the main thread applies them, in order, in its update traversal.

#include "ThreadQueue.h"

#include <osg/Group>
#include <osg/NodeCallback>
#include <osg/ref_ptr>
#include <utility>

class MainNode : public osg::Group {
public:
    MainNode();

    void addElement(osg::Node* node);     // queues an insertion
    void removeElement(osg::Node* node);  // queues a removal (not used by the viewer)

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
};

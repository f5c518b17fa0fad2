#pragma once
// Runs command messages as the viewer would, without a window, each from a
// known state: an empty value store, no users (the first sender is "user0"
// again), an empty scene and no shapes awaiting redraw. After the message
// the scene gets two update traversals, the second half a second of
// simulation time after the first: queued insertions are applied, new
// shapes redraw and playing schedulers advance and fire what fell due.
//
// Threading: everything runs in the calling thread, and no other thread of
// the system may run (the command thread is not started). One session per
// process, made once and kept to the end like the system's services: it
// fills the shape-definition registry and hands the scene root to the
// dispatcher.

#include "MainNode.h"

#include <osg/ref_ptr>
#include <osgUtil/UpdateVisitor>
#include <string>

class FreshSession {
public:
    // routerPort: where the replies go (Router is the loopback address).
    explicit FreshSession(const std::string& routerPort);

    // Clears everything the previous message left, then handles this one
    // (the text up to its first zero byte, as the intake queues it).
    void run(const std::string& bytes);

private:
    void clearState();
    void runFrames();

    osg::ref_ptr<MainNode> root;
    osg::ref_ptr<osgUtil::UpdateVisitor> visitor;
};

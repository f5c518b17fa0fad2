#pragma once
// The viewer in-process as start-up sets it up, for the benchmarks that
// draw: the dispatcher, the scene root with the command parser bound to
// it, and a viewer configured around the root (the allocator's thresholds
// included) in a 720x480 window, realized.

#include "MainNode.h"
#include "ScaleBench.h"
#include "ThreadQueue.h"
#include "ViewerSetup.h"

#include <OpenThreads/Block>
#include <osgViewer/Viewer>

#include <string>

namespace scale {

struct ViewerWindow {
    ViewerWindow()
    {
        setUpDispatcher();
        root = new MainNode();
        root->setNodeMask(root->getNodeMask() & ~0x2u);
        queue.setBlock(&block);
        CommandParser::getInstance()->initParser(&queue, root.get());
        viewer = new osgViewer::Viewer();
        setUpViewer(*viewer, root.get(), osg::Vec3d(0, -2000, 0));
        viewer->setUpViewInWindow(0, 0, 720, 480, 0);
        viewer->realize();
    }

    OpenThreads::Block block;
    ThreadQueue<std::string> queue;
    osg::ref_ptr<MainNode> root;
    osg::ref_ptr<osgViewer::Viewer> viewer;
};

}  // namespace scale

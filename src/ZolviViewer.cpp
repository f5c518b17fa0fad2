// Start-up and the frame loop.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "MainNode.h"
#include "SocketThread.h"
#include "ThreadQueue.h"
#include "ViewerSetup.h"

#include <OpenThreads/Block>
#include <osgViewer/Viewer>

#include <unistd.h>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Other threads (intake, commands) still run and are never joined: stop
// the viewer's own threads, flush, and leave without running static
// destructors underneath them.
[[noreturn]] void exitWhileThreadsRun(osgViewer::Viewer* viewer)
{
    viewer->stopThreading();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    std::cerr << "ZolviViewer init\n";
    createShapeDefs();

    ConfigPresets presets;
    if (argc > 1)
        presets.readConfiguration(argv[1]);
    const osg::Vec3d eye = homeEyeFromSettings();

    auto* wakeupBlock = new OpenThreads::Block();
    auto* commandQueue = new ThreadQueue<std::string>();
    commandQueue->setBlock(wakeupBlock);
    new SocketThread(commandQueue, Config::getInstance()->get("Router"));

    osg::ref_ptr<MainNode> root = new MainNode();
    root->setNodeMask(root->getNodeMask() & ~0x2u);

    osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer();
    setUpViewer(*viewer, root.get(), eye);

    CommandParser* parser = CommandParser::getInstance();
    parser->initParser(commandQueue, root.get());
    parser->initScreenshot(viewer.get());

    std::cerr << "Running\n";
    viewer->setUpViewInWindow(0, 0, 720, 480, 0);
    viewer->run();
    exitWhileThreadsRun(viewer.get());
}

// Start-up, the frame loop and the camera manipulator.

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "MainNode.h"
#include "SocketThread.h"
#include "ThreadQueue.h"

#include <OpenThreads/Block>
#include <osgGA/TrackballManipulator>
#include <osgViewer/Viewer>
#include <osgViewer/ViewerEventHandlers>

#include <unistd.h>
#include <cstdio>
#include <iostream>
#include <string>

// The trackball manipulator with its default interaction settings.
class ZolviManipulator : public osgGA::TrackballManipulator {
public:
    ZolviManipulator() : osgGA::TrackballManipulator(UPDATE_MODEL_SIZE | PROCESS_MOUSE_WHEEL) {}

protected:
    ~ZolviManipulator() override {}
};

namespace {

// The home eye from EyePosX/Y/Z when all three are set, else (0, -2000, 0).
osg::Vec3d homeEye()
{
    Config* config = Config::getInstance();
    const std::string x = config->get("EyePosX");
    if (!x.empty()) {
        const std::string y = config->get("EyePosY");
        if (!y.empty()) {
            const std::string z = config->get("EyePosZ");
            if (!z.empty())
                return osg::Vec3d(stringToDouble(x), stringToDouble(y), stringToDouble(z));
        }
    }
    return osg::Vec3d(0, -2000, 0);
}

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
    const osg::Vec3d eye = homeEye();

    auto* wakeupBlock = new OpenThreads::Block();
    auto* commandQueue = new ThreadQueue<std::string>();
    commandQueue->setBlock(wakeupBlock);
    new SocketThread(commandQueue, Config::getInstance()->get("Router"));

    osg::ref_ptr<MainNode> root = new MainNode();
    root->setNodeMask(root->getNodeMask() & ~0x2u);

    osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer();
    viewer->setCameraManipulator(new ZolviManipulator(), true);
    viewer->getCamera()->setClearColor(osg::Vec4(0, 0, 0, 1));
    viewer->setThreadingModel(osgViewer::ViewerBase::CullDrawThreadPerContext);
    viewer->addEventHandler(new osgViewer::StatsHandler());
    // Before setSceneData, which homes the manipulator.
    viewer->getCameraManipulator()->setHomePosition(eye, osg::Vec3d(0, 1, 0), osg::Vec3d(0, 0, 1), false);
    viewer->setSceneData(root.get());
    viewer->setRunFrameScheme(osgViewer::ViewerBase::CONTINUOUS);
    viewer->setRunMaxFrameRate(30);

    CommandParser* parser = CommandParser::getInstance();
    parser->initParser(commandQueue, root.get());
    parser->initScreenshot(viewer.get());

    std::cerr << "Running\n";
    viewer->setUpViewInWindow(0, 0, 720, 480, 0);
    viewer->run();
    exitWhileThreadsRun(viewer.get());
}

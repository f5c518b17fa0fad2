#include "ViewerSetup.h"

#include "Config.h"
#include "MainNode.h"

#include <osgViewer/Viewer>
#include <osgViewer/ViewerEventHandlers>

#include <malloc.h>

#include <string>

osg::Vec3d homeEyeFromSettings()
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

void keepRendererBuffers()
{
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
}

void setUpViewer(osgViewer::Viewer& viewer, MainNode* root, const osg::Vec3d& eye)
{
    keepRendererBuffers();
    viewer.setCameraManipulator(new ZolviManipulator(), true);
    viewer.getCamera()->setClearColor(osg::Vec4(0, 0, 0, 1));
    viewer.getCamera()->setCullMask(~MainNode::updateOnlyMask);
    viewer.setThreadingModel(osgViewer::ViewerBase::CullDrawThreadPerContext);
    viewer.addEventHandler(new osgViewer::StatsHandler());
    // Before setSceneData, which homes the manipulator: set afterwards the
    // home would only take effect at the next home key press.
    viewer.getCameraManipulator()->setHomePosition(eye, osg::Vec3d(0, 1, 0), osg::Vec3d(0, 0, 1), false);
    viewer.setSceneData(root);
    viewer.setRunFrameScheme(osgViewer::ViewerBase::CONTINUOUS);
    viewer.setRunMaxFrameRate(30);
}

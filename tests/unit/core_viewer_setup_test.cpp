#include "Config.h"
#include "MainNode.h"
#include "ViewerSetup.h"

#include <gtest/gtest.h>

#include <osg/io_utils>
#include <osgViewer/Viewer>
#include <string>
#include <vector>

namespace {

struct EyeCase {
    const char* x;
    const char* y;
    const char* z;
    osg::Vec3d eye;
};

void setEye(const EyeCase& c)
{
    Config::getInstance()->add("EyePosX", c.x);
    Config::getInstance()->add("EyePosY", c.y);
    Config::getInstance()->add("EyePosZ", c.z);
}

TEST(CoreViewerSetup, HomeEyeNeedsAllThreeSettings)
{
    const osg::Vec3d fallback(0, -2000, 0);
    const std::vector<EyeCase> cases = {
        {"", "", "", fallback},
        {"1", "2", "3", {1, 2, 3}},
        {"1", "2", "", fallback},
        {"", "2", "3", fallback},
        {"1", "", "3", fallback},
        {"centre", "-600", "2.5", {0, -600, 2.5}},
        {" 7", "-0", "1e2", {7, 0, 100}},
    };
    for (const EyeCase& c : cases) {
        setEye(c);
        EXPECT_EQ(homeEyeFromSettings(), c.eye) << c.x << "," << c.y << "," << c.z;
    }
    setEye({"", "", "", {}});
}

// Nodes marked update-only (cubes drawn in the batch) are culled, and only they.
TEST(CoreViewerSetup, TheCameraCullsOnlyUpdateOnlyNodes)
{
    osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer();
    osg::ref_ptr<MainNode> root = new MainNode();
    setUpViewer(*viewer, root.get(), osg::Vec3d(0, -2000, 0));
    const osg::Node::NodeMask cull = viewer->getCamera()->getCullMask();
    EXPECT_EQ(cull & MainNode::updateOnlyMask, 0u);
    EXPECT_NE(cull & root->getNodeMask(), 0u);
    EXPECT_NE(cull & (root->getNodeMask() & ~0x2u), 0u) << "the viewer's root";
}

// The camera must start at the configured home, which only holds when the
// home is set before the scene (setting the scene homes the manipulator).
TEST(CoreViewerSetup, CameraStartsAtTheHomeEye)
{
    for (const osg::Vec3d& eye : {osg::Vec3d(0, -2000, 0), osg::Vec3d(300, -600, 150)}) {
        osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer();
        osg::ref_ptr<MainNode> root = new MainNode();
        setUpViewer(*viewer, root.get(), eye);

        osg::Vec3d cameraEye, centre, up;
        viewer->getCameraManipulator()->getInverseMatrix().getLookAt(cameraEye, centre, up);
        EXPECT_NEAR((cameraEye - eye).length(), 0, 1e-6) << eye;
        osg::Vec3d direction = osg::Vec3d(0, 1, 0) - eye;
        direction.normalize();
        osg::Vec3d looking = centre - cameraEye;
        looking.normalize();
        EXPECT_NEAR((looking - direction).length(), 0, 1e-6) << eye;
        EXPECT_EQ(viewer->getSceneData(), root.get());
        EXPECT_EQ(viewer->getCamera()->getClearColor(), osg::Vec4(0, 0, 0, 1));
    }
}

}  // namespace

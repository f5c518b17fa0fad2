// The cylinder, the model and the video through the real process, judged
// from screenshots. One viewer serves every test: each shape stands in a
// region of its own (cylinder left, model in the middle, video right) in
// colours no other shape shows.

#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <osg/Image>
#include <osgDB/WriteFile>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// One scene unit at the origin is about 0.46 pixel with the default eye.
int screenX(double sceneX) { return static_cast<int>(360 + sceneX * 0.46 + 0.5); }

bool isGreen(const Rgb& c) { return c.g > 100 && c.r < 50 && c.b < 50; }
bool isYellow(const Rgb& c) { return c.r > 150 && c.g > 150 && c.b < 50; }
bool isMagenta(const Rgb& c) { return c.r > 150 && c.b > 150 && c.g < 50; }
bool isBlue(const Rgb& c) { return c.b > 150 && c.r < 50 && c.g < 50; }
bool isRed(const Rgb& c) { return c.r > 150 && c.g < 50 && c.b < 50; }
bool isCyan(const Rgb& c) { return c.g > 150 && c.b > 150 && c.r < 50; }

// The model and texture files the viewer reads, in a folder of their own.
class SceneFiles {
public:
    SceneFiles()
    {
        char pattern[] = "/tmp/zolvi-e2e-files-XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            path = pattern;
    }
    ~SceneFiles()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    bool writeText(const std::string& name, const std::string& content) const
    {
        std::ofstream file(path + "/" + name, std::ios::binary);
        file << content;
        return file.good();
    }
    bool writePng(const std::string& name, unsigned char r, unsigned char g, unsigned char b) const
    {
        osg::ref_ptr<osg::Image> image = new osg::Image();
        image->allocateImage(8, 8, 1, GL_RGB, GL_UNSIGNED_BYTE);
        for (unsigned char* pixel = image->data(); pixel < image->data() + image->getTotalSizeInBytes(); pixel += 3) {
            pixel[0] = r;
            pixel[1] = g;
            pixel[2] = b;
        }
        return osgDB::writeImageFile(*image, path + "/" + name);
    }
    std::string path;
};

class ShapesMediaE2E : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        files = new SceneFiles();
        // A square of half edge 1 facing the eye (-y); a Wavefront file's y is up.
        const bool written =
            files->writeText("square.obj", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvn 0 0 1\nf 1//1 2//1 3//1 4//1\n") &&
            files->writePng("blue.png", 0, 0, 255) && files->writePng("red.png", 255, 0, 0) &&
            files->writePng("cyan.png", 0, 255, 255) &&
            files->writeText("clip.osgt", "#Ascii Object\n#Version 161\n#Generator OpenSceneGraph 3.6.5\n\n"
                                          "osg::ImageSequence {\n  UniqueID 1\n  Length 1\n  FileNames 2 {\n"
                                          "    \"red.png\"\n    \"cyan.png\"\n  }\n}\n");
        if (!written)
            return;
        ViewerOptions options;
        options.configLines = {"ModelDir " + files->path, "TextureDir " + files->path};
        viewer = new ViewerProcess(options);
        ready = viewer->start() && waitForFirstFrame(*viewer);
    }
    static void TearDownTestSuite()
    {
        delete viewer;
        viewer = nullptr;
        delete files;
        files = nullptr;
    }
    void SetUp() override
    {
        if (!ready)
            GTEST_FAIL() << "no viewer" << (viewer != nullptr ? ": " + viewer->stderrText() : std::string());
    }
    // Every reply a test waits for is its own.
    void TearDown() override
    {
        if (viewer != nullptr) {
            EXPECT_EQ(viewer->drainReports(ViewerProcess::Duration(100)), std::vector<std::string>());
        }
    }

    static ViewerProcess* viewer;
    static SceneFiles* files;
    static bool ready;
};

ViewerProcess* ShapesMediaE2E::viewer = nullptr;
SceneFiles* ShapesMediaE2E::files = nullptr;
bool ShapesMediaE2E::ready = false;

TEST_F(ShapesMediaE2E, CylinderStandsMovesAndTurns)
{
    ASSERT_TRUE(viewer->send("cylinder cy radius=80 height=300 r=0 g=1 b=0 x=-500"));
    auto shot = shotWhen(*viewer, [](const SceneShot& s) { return isGreen(s.at(screenX(-500), 240)); });
    ASSERT_TRUE(shot);
    PixelBox box = shot->boxOf(isGreen);
    EXPECT_NEAR(box.centreX(), screenX(-500), 6) << box;
    EXPECT_NEAR(box.centreY(), 240, 6) << box;
    EXPECT_GT(box.height(), box.width() * 3 / 2) << "upright: " << box;

    ASSERT_TRUE(viewer->send("cy.x=-350"));
    shot = shotWhen(*viewer, [](const SceneShot& s) { return !isGreen(s.at(screenX(-500), 240)); });
    ASSERT_TRUE(shot);
    box = shot->boxOf(isGreen);
    EXPECT_NEAR(box.centreX(), screenX(-350), 6) << box;

    ASSERT_TRUE(viewer->send("cy rotate=90 rx=0 ry=1 rz=0"));
    shot = shotWhen(*viewer, [](const SceneShot& s) {
        const PixelBox turned = s.boxOf(isGreen);
        return turned.width() > turned.height();
    });
    ASSERT_TRUE(shot);
    box = shot->boxOf(isGreen);
    EXPECT_NEAR(box.centreX(), screenX(-350), 10) << "its near side looks larger: " << box;
    EXPECT_GT(box.width(), box.height() * 3 / 2) << "lying along x: " << box;
}

TEST_F(ShapesMediaE2E, ModelAppearsWhenItsFileIsNamedThenMovesAndRecolours)
{
    ASSERT_TRUE(viewer->send("model m scale=100 r=1 g=1 b=0"));
    ASSERT_TRUE(viewer->send("print m.scale"));  // the creation has been handled
    ASSERT_EQ(viewer->nextReport(), viewer->sender() + " 100;\n");
    auto shot = takeShot(*viewer);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->count(isYellow), 0) << "no file named yet";

    ASSERT_TRUE(viewer->send("m.file=\"square.obj\""));
    shot = shotWhen(*viewer, [](const SceneShot& s) { return isYellow(s.at(360, 240)); });
    ASSERT_TRUE(shot);
    PixelBox box = shot->boxOf(isYellow);
    EXPECT_NEAR(box.centreX(), 360, 4) << box;
    EXPECT_NEAR(box.centreY(), 240, 4) << box;
    EXPECT_NEAR(box.width(), 200 * 0.46, 6) << box;
    EXPECT_TRUE(viewer->waitForStdout("filename: " + files->path + "/square.obj\n"));

    ASSERT_TRUE(viewer->send("m x=150 g=0 b=1"));
    shot = shotWhen(*viewer, [](const SceneShot& s) { return isMagenta(s.at(screenX(150), 240)); });
    ASSERT_TRUE(shot);
    box = shot->boxOf(isMagenta);
    EXPECT_NEAR(box.centreX(), screenX(150), 4) << box;
    EXPECT_EQ(shot->count(isYellow), 0);
}

TEST_F(ShapesMediaE2E, VideoShowsAStillThenASequence)
{
    ASSERT_TRUE(viewer->send("video v size=250 x=500 file=\"blue.png\""));
    auto shot = shotWhen(*viewer, [](const SceneShot& s) { return isBlue(s.at(screenX(500), 240)); });
    ASSERT_TRUE(shot);
    const PixelBox box = shot->boxOf(isBlue);
    EXPECT_NEAR(box.centreX(), screenX(500), 4) << box;
    EXPECT_NEAR(box.width(), 250 * 0.46, 6) << box;

    ASSERT_TRUE(viewer->send("v.file=\"clip.osgt\""));
    EXPECT_TRUE(shotWhen(*viewer, [](const SceneShot& s) { return isRed(s.at(screenX(500), 240)); }));
    EXPECT_TRUE(shotWhen(*viewer, [](const SceneShot& s) { return isCyan(s.at(screenX(500), 240)); }))
        << "the sequence plays its second frame";
}

}  // namespace

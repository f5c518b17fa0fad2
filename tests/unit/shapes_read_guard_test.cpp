// Files that a model or an image sequence pulls in pass the read guard: a
// script named inside a model file is never run.

#include "ImageFiles.h"
#include "ModelFiles.h"
#include "ReadGuard.h"
#include "shapes_test_files.h"

#include <gtest/gtest.h>

#include <osg/ImageSequence>
#include <osgDB/ReadFile>
#include <string>
#include <sys/stat.h>

namespace {

struct GuardCase {
    const char* file;
    bool allowed;
};

class ShapesReadGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(ShapesReadGuard, LetsOnlyImageAndModelFormatsThrough)
{
    EXPECT_EQ(isGuardedReadAllowed(GetParam().file), GetParam().allowed) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(Files, ShapesReadGuard,
                         testing::Values(GuardCase{"wood.png", true}, GuardCase{"/models/boat.OBJ", true},
                                         GuardCase{"scene.osgt", true}, GuardCase{"parts.ive", true},
                                         GuardCase{"../textures/wood.jpg", true}, GuardCase{"run.lua", false},
                                         GuardCase{"pack.tgz", false}, GuardCase{"show.p3d", false},
                                         GuardCase{"shader.vert", false}, GuardCase{"noextension", false},
                                         GuardCase{"http://example.org/wood.png", false},
                                         GuardCase{"wood\n.png", false}),
                         [](const testing::TestParamInfo<GuardCase>& info) { return "Case" + std::to_string(info.index); });

bool exists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

class ShapesReadGuardScripts : public testing::Test {
protected:
    void SetUp() override
    {
        marker = dir.file("script-ran");
        dir.writeText("mark.lua", "local f = io.open(\"" + marker + "\", \"w\"); f:write(\"ran\"); f:close()\n");
    }
    ShapesTempDir dir;
    std::string marker;
};

TEST_F(ShapesReadGuardScripts, ScriptNamedByAModelIsNotRun)
{
    dir.writeText("painted.mtl", "newmtl paint\nmap_Kd mark.lua\n");
    dir.writeText("painted.obj", "mtllib painted.mtl\nv 0 0 0\nv 1 0 0\nv 0 0 1\nusemtl paint\nf 1 2 3\n");
    testing::internal::CaptureStderr();
    osg::ref_ptr<osg::Node> model = readModelSafely(dir.file("painted.obj"));
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(model.valid()) << "the model itself is read";
    EXPECT_FALSE(exists(marker));
}

TEST_F(ShapesReadGuardScripts, ScriptNamedAsAFrameIsNotRun)
{
    dir.writePng("frame.png", 2, 2, 50);
    dir.writeText("clip.osgt", "#Ascii Object\n#Version 161\n#Generator OpenSceneGraph 3.6.5\n\n"
                               "osg::ImageSequence {\n  UniqueID 1\n  FileNames 2 {\n"
                               "    \"frame.png\"\n    \"mark.lua\"\n  }\n}\n");
    testing::internal::CaptureStderr();
    osg::ref_ptr<osg::Image> image = readImageSafely(dir.file("clip.osgt"));
    testing::internal::GetCapturedStderr();
    auto* sequence = dynamic_cast<osg::ImageSequence*>(image.get());
    ASSERT_NE(sequence, nullptr);
    // The frames are loaded later, with the sequence's read options, as the
    // viewer's image pager loads them.
    auto* options = dynamic_cast<const osgDB::Options*>(sequence->getReadOptions());
    ASSERT_NE(options, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(osgDB::readRefImageFile("frame.png", options).valid());
    EXPECT_FALSE(osgDB::readRefImageFile("mark.lua", options).valid());
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(exists(marker));
}

}  // namespace

// The video shape: its square against the formulas, and the picture its
// `file` names.

#include "VideoShape.h"
#include "shapes_test_files.h"
#include "shapes_test_objects.h"

#include <gtest/gtest.h>

#include <osg/ImageSequence>
#include <osg/Texture2D>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct SquareCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> numbers;
    osg::Vec3f corners[4];
    osg::Vec3f normal;
    osg::StateSet::RenderingHint bin;
};

void PrintTo(const SquareCase& c, std::ostream* os) { *os << c.name; }

class ShapesVideoSquare : public testing::TestWithParam<SquareCase> {};

TEST_P(ShapesVideoSquare, CornersNormalAndBinFollowTheParameters)
{
    const SquareCase& c = GetParam();
    PlacedObject<VideoShape> video("video");
    video.string("file", "");  // no picture: nothing to look for
    for (const auto& number : c.numbers)
        video.number(number.first, number.second);
    video.redraw();

    const auto& vertices = *static_cast<osg::Vec3Array*>(video.shape->getVertexArray());
    ASSERT_EQ(vertices.size(), 4u);
    for (int k = 0; k < 4; ++k)
        expectNearVec(vertices[k], c.corners[k], 1e-5f, "corner " + std::to_string(k + 1));
    const auto& normals = *static_cast<osg::Vec3Array*>(video.shape->getNormalArray());
    ASSERT_EQ(normals.size(), 1u);
    expectNearVec(normals[0], c.normal, 1e-5f, "normal");
    EXPECT_EQ(video.shape->getStateSet()->getRenderingHint(), c.bin);
}

const float h = 0.5f;

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapesVideoSquare,
    testing::Values(
        SquareCase{"Defaults", {}, {{-h, 0, -h}, {h, 0, -h}, {h, 0, h}, {-h, 0, h}}, {0, -1, 0},
                   osg::StateSet::DEFAULT_BIN},
        SquareCase{"SizeAndPosition", {{"size", "2"}, {"x", "3"}, {"z", "-1"}},
                   {{2, 0, -2}, {4, 0, -2}, {4, 0, 0}, {2, 0, 0}}, {0, -1, 0}, osg::StateSet::DEFAULT_BIN},
        SquareCase{"ZeroAxisTurnsNothing", {{"rot", "90"}, {"tilt", "45"}},
                   {{-h, 0, -h}, {h, 0, -h}, {h, 0, h}, {-h, 0, h}}, {0, -1, 0}, osg::StateSet::DEFAULT_BIN},
        SquareCase{"RotAboutZ", {{"rot", "90"}, {"rotz", "1"}},
                   {{0, -h, -h}, {0, h, -h}, {0, h, h}, {0, -h, h}}, {1, 0, 0}, osg::StateSet::DEFAULT_BIN},
        SquareCase{"RotThenTiltAboutWorldAxes", {{"rot", "90"}, {"rotz", "1"}, {"tilt", "90"}, {"tiltx", "1"}},
                   {{0, h, -h}, {0, h, h}, {0, -h, h}, {0, -h, -h}}, {1, 0, 0}, osg::StateSet::DEFAULT_BIN},
        SquareCase{"NegativeSizeTurnsHalfAround", {{"size", "-2"}},
                   {{1, 0, 1}, {-1, 0, 1}, {-1, 0, -1}, {1, 0, -1}}, {0, -1, 0}, osg::StateSet::DEFAULT_BIN},
        SquareCase{"AlphaBelowOneBlends", {{"a", "0.5"}}, {{-h, 0, -h}, {h, 0, -h}, {h, 0, h}, {-h, 0, h}},
                   {0, -1, 0}, osg::StateSet::TRANSPARENT_BIN}),
    [](const testing::TestParamInfo<SquareCase>& info) { return std::string(info.param.name); });

TEST(ShapesVideo, ColourAndTextureCoordinatesFollowTheParameters)
{
    PlacedObject<VideoShape> video("video");
    video.string("file", "");
    video.redraw();
    const auto& colours = *static_cast<osg::Vec4Array*>(video.shape->getColorArray());
    const auto& coordinates = *static_cast<osg::Vec2Array*>(video.shape->getTexCoordArray(0));
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(colours[0], osg::Vec4f(1, 1, 1, 1));
    ASSERT_EQ(coordinates.size(), 4u);
    const osg::Vec2f defaults[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(coordinates[k], defaults[k]) << k;

    video.number("g", "0.25");
    video.number("t2s", "0.5");
    video.number("t4t", "2");
    video.redraw();
    EXPECT_EQ(colours[0], osg::Vec4f(1, 0.25f, 1, 1));
    EXPECT_EQ(coordinates[1], osg::Vec2f(0.5f, 0));
    EXPECT_EQ(coordinates[3], osg::Vec2f(0, 2));
    EXPECT_EQ(coordinates[0], osg::Vec2f(0, 0));
}

class ShapesVideoFile : public testing::Test {
protected:
    void SetUp() override
    {
        dir.writePng("still.png", 2, 2, 90);
        dir.writePng("frame1.png", 2, 2, 10);
        dir.writePng("frame2.png", 2, 2, 20);
        dir.writeText("clip.osgt", "#Ascii Object\n#Version 161\n#Generator OpenSceneGraph 3.6.5\n\n"
                                   "osg::ImageSequence {\n  UniqueID 1\n  FileNames 2 {\n"
                                   "    \"frame1.png\"\n    \"frame2.png\"\n  }\n}\n");
    }
    osg::Texture* texture(VideoShape* shape)
    {
        return dynamic_cast<osg::Texture*>(
            shape->getStateSet()->getTextureAttribute(0, osg::StateAttribute::TEXTURE));
    }

    ShapesTempDir dir;
    ScopedSetting textureDir{"TextureDir", dir.path};
};

TEST_F(ShapesVideoFile, DefaultNoneIsLookedForAtEveryRedraw)
{
    PlacedObject<VideoShape> video("video");
    testing::internal::CaptureStderr();
    video.redraw();
    video.redraw();
    EXPECT_EQ(occurrences(testing::internal::GetCapturedStderr(), "Error no image found: " + dir.file("None") + "\n"), 2);
    EXPECT_EQ(texture(video.shape), nullptr);
}

TEST_F(ShapesVideoFile, ShowsAStillOrASequenceAndReadsOnlyANewName)
{
    PlacedObject<VideoShape> video("video");
    video.string("file", "still.png");
    video.redraw();
    ASSERT_NE(texture(video.shape), nullptr);
    EXPECT_EQ(texture(video.shape)->getName(), "still.png");

    testing::internal::CaptureStdout();
    video.string("file", "clip.osgt");
    video.redraw();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(texture(video.shape)->getName(), "clip.osgt");

    // With the same name a redraw reads nothing: the file may be gone.
    std::remove(dir.file("clip.osgt").c_str());
    testing::internal::CaptureStderr();
    video.number("x", "5");
    video.redraw();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    auto* sequence = dynamic_cast<osg::ImageSequence*>(texture(video.shape)->getImage(0));
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->getNumImageData(), 2u);
    EXPECT_EQ(sequence->getStatus(), osg::ImageStream::PLAYING);

    video.string("file", "");
    video.redraw();
    EXPECT_FALSE(video.shape->getStateSet()->getTextureMode(0, GL_TEXTURE_2D) & osg::StateAttribute::ON);
}

TEST_F(ShapesVideoFile, FirstSequenceWritesItsLine)
{
    PlacedObject<VideoShape> video("video");
    video.string("file", "clip.osgt");
    testing::internal::CaptureStdout();
    video.redraw();
    video.redraw();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "setVideoTexture\n");
}

}  // namespace

#include "Config.h"
#include "GeometryShape.h"
#include "shapes_test_files.h"

#include <gtest/gtest.h>

#include <osg/ImageSequence>
#include <osg/Texture2D>
#include <osgDB/Registry>
#include <map>
#include <string>

namespace {

// A geometry shape that redraws nothing: the tests call the texture
// operations as a shape's update() would.
class TexturedShape : public GeometryShape {
public:
    void dirty() override {}
    std::string getType() override { return "textured"; }
    void update() override {}
};

// Counts every file that a reader is asked for.
class ReadCounter : public osgDB::ReadFileCallback {
public:
    osgDB::ReaderWriter::ReadResult readImage(const std::string& file, const osgDB::Options* options) override
    {
        ++reads[file];
        return osgDB::ReadFileCallback::readImage(file, options);
    }
    osgDB::ReaderWriter::ReadResult readObject(const std::string& file, const osgDB::Options* options) override
    {
        ++reads[file];
        return osgDB::ReadFileCallback::readObject(file, options);
    }
    std::map<std::string, int> reads;
};

class ShapesTexture : public testing::Test {
protected:
    void SetUp() override
    {
        dir.writePng("wood.png", 2, 2, 100);
        dir.writePng("brick.png", 4, 4, 200);
        dir.writeText("clip.osgt", "#Ascii Object\n#Version 161\n#Generator OpenSceneGraph 3.6.5\n\n"
                                   "osg::ImageSequence {\n  UniqueID 1\n  FileNames 2 {\n"
                                   "    \"wood.png\"\n    \"brick.png\"\n  }\n}\n");
        savedTextureDir = Config::getInstance()->get("TextureDir");
        Config::getInstance()->add("TextureDir", dir.path);
        osgDB::Registry::instance()->setReadFileCallback(counter.get());
    }
    void TearDown() override
    {
        osgDB::Registry::instance()->setReadFileCallback(nullptr);
        Config::getInstance()->add("TextureDir", savedTextureDir);
    }

    osg::Texture* texture()
    {
        return dynamic_cast<osg::Texture*>(
            shape->getOrCreateStateSet()->getTextureAttribute(0, osg::StateAttribute::TEXTURE));
    }
    bool textureOn() { return shape->getOrCreateStateSet()->getTextureMode(0, GL_TEXTURE_2D) & osg::StateAttribute::ON; }
    int readsOf(const std::string& name) { return counter->reads[dir.file(name)]; }
    int totalReads()
    {
        int total = 0;
        for (const auto& entry : counter->reads)
            total += entry.second;
        return total;
    }
    // The level of the first texel the texture shows (its sequence's first image for a sequence).
    int shownLevel()
    {
        osg::Image* image = texture()->getImage(0);
        if (auto* sequence = dynamic_cast<osg::ImageSequence*>(image))
            image = sequence->getImage(0);
        return image != nullptr && image->data() != nullptr ? image->data()[0] : -1;
    }

    ShapesTempDir dir;
    std::string savedTextureDir;
    osg::ref_ptr<ReadCounter> counter = new ReadCounter();
    osg::ref_ptr<TexturedShape> shape = new TexturedShape();
};

TEST_F(ShapesTexture, ReadsOncePerNameChange)
{
    shape->setTextureImage("wood.png");
    shape->setTextureImage("wood.png");
    EXPECT_EQ(readsOf("wood.png"), 1);
    ASSERT_NE(dynamic_cast<osg::Texture2D*>(texture()), nullptr);
    EXPECT_EQ(texture()->getName(), "wood.png");
    EXPECT_EQ(texture()->getDataVariance(), osg::Object::DYNAMIC);
    EXPECT_EQ(shownLevel(), 100);
    EXPECT_TRUE(textureOn());

    osg::Texture* first = texture();
    shape->setTextureImage("brick.png");
    shape->setTextureImage("brick.png");
    EXPECT_EQ(readsOf("brick.png"), 1);
    EXPECT_EQ(texture(), first);  // the texture stays; its image and name change
    EXPECT_EQ(texture()->getName(), "brick.png");
    EXPECT_EQ(shownLevel(), 200);
}

// How often the line stands in the text (the readers add lines of their own).
int countLines(const std::string& text, const std::string& line)
{
    int count = 0;
    for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + line.size()))
        ++count;
    return count;
}

TEST_F(ShapesTexture, MissingFileWritesTheErrorLineAtEachCall)
{
    const std::string line = "Error no image found: " + dir.file("stone.png") + "\n";
    testing::internal::CaptureStderr();
    shape->setTextureImage("stone.png");
    EXPECT_EQ(countLines(testing::internal::GetCapturedStderr(), line), 1);
    EXPECT_EQ(texture(), nullptr);

    shape->setTextureImage("wood.png");
    testing::internal::CaptureStderr();
    shape->setTextureImage("stone.png");
    shape->setTextureImage("stone.png");
    EXPECT_EQ(countLines(testing::internal::GetCapturedStderr(), line), 2);
    EXPECT_EQ(texture()->getName(), "wood.png");  // keeps showing the last image read
    EXPECT_EQ(shownLevel(), 100);
}

TEST_F(ShapesTexture, EmptyNameSwitchesOffAndALaterNameOnAgain)
{
    shape->setTextureImage("");
    EXPECT_EQ(texture(), nullptr);

    shape->setTextureImage("wood.png");
    shape->setTextureImage("");
    ASSERT_NE(texture(), nullptr);
    EXPECT_FALSE(textureOn());
    EXPECT_EQ(texture()->getName(), "wood.png");

    shape->setTextureImage("wood.png");  // the same image again: shown without a read
    EXPECT_TRUE(textureOn());
    EXPECT_EQ(readsOf("wood.png"), 1);

    shape->setTextureImage("");
    testing::internal::CaptureStderr();
    shape->setTextureImage("stone.png");  // nothing read: stays off
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(textureOn());
    shape->setTextureImage("brick.png");
    EXPECT_TRUE(textureOn());
    EXPECT_EQ(shownLevel(), 200);
}

TEST_F(ShapesTexture, RefusedNamesReadNothing)
{
    dir.writeText("run.lua", "os.execute('touch /tmp/zolvi_should_not_exist')");
    for (const std::string name : {"../wood.png", "sub/../../wood.png", "wood\x1b.png", "run.lua", "wood.png.gz"}) {
        testing::internal::CaptureStderr();
        shape->setTextureImage(name);
        shape->setVideoTexture(name);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(countLines(printed, "Error no image found: "), 2) << name;
        EXPECT_EQ(printed.find('\x1b'), std::string::npos) << name;
    }
    EXPECT_EQ(totalReads(), 0);
    EXPECT_EQ(texture(), nullptr);
}

TEST_F(ShapesTexture, MalformedImageIsNotFound)
{
    dir.writeText("broken.png", "\x89PNG\r\n\x1a\n not an image");
    testing::internal::CaptureStderr();
    shape->setTextureImage("broken.png");
    EXPECT_EQ(countLines(testing::internal::GetCapturedStderr(),
                         "Error no image found: " + dir.file("broken.png") + "\n"),
              1);
    EXPECT_EQ(texture(), nullptr);
}

TEST_F(ShapesTexture, VideoTextureTakesANewFileOnce)
{
    testing::internal::CaptureStdout();
    shape->setVideoTexture("wood.png");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // a still image is no sequence
    EXPECT_EQ(texture()->getName(), "wood.png");
    EXPECT_EQ(shownLevel(), 100);

    shape->setVideoTexture("brick.png");
    shape->setVideoTexture("brick.png");
    EXPECT_EQ(readsOf("brick.png"), 1);
    EXPECT_EQ(texture()->getName(), "brick.png");
    auto* sequence = dynamic_cast<osg::ImageSequence*>(texture()->getImage(0));
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->getStatus(), osg::ImageStream::PLAYING);
    EXPECT_EQ(shownLevel(), 200);

    shape->setVideoTexture("");
    EXPECT_FALSE(textureOn());
    shape->setVideoTexture("wood.png");
    EXPECT_TRUE(textureOn());
    EXPECT_EQ(shownLevel(), 100);
}

TEST_F(ShapesTexture, VideoTextureTakesAnImageSequence)
{
    testing::internal::CaptureStdout();
    shape->setVideoTexture("clip.osgt");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "setVideoTexture\n");
    ASSERT_NE(texture(), nullptr);
    EXPECT_EQ(texture()->getName(), "clip.osgt");
    EXPECT_TRUE(textureOn());
    auto* sequence = dynamic_cast<osg::ImageSequence*>(texture()->getImage(0));
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->getStatus(), osg::ImageStream::PLAYING);

    shape->setTextureImage("wood.png");  // a sequence texture is replaced like any other
    EXPECT_EQ(texture()->getDataVariance(), osg::Object::DYNAMIC);
    shape->setVideoTexture("clip.osgt");
    EXPECT_EQ(dynamic_cast<osg::ImageSequence*>(texture()->getImage(0))->getNumImageData(), 2u);
}

}  // namespace

#include "ImageFiles.h"
#include "shapes_test_files.h"

#include <gtest/gtest.h>

#include <ostream>

#include <osg/ImageSequence>
#include <cctype>
#include <string>

namespace {

TEST(ShapesImageFormats, OnlyImageFormatsAreRead)
{
    for (const char* path : {"a.png", "a.PNG", "a.jpg", "a.jpeg", "a.bmp", "a.gif", "a.tga", "a.tif", "a.tiff",
                             "a.rgb", "a.sgi", "a.dds", "a.hdr", "a.pnm", "a.ppm", "a.pgm", "a.ktx", "d/a.osgt",
                             "a.osgb", "a.osg"})
        EXPECT_TRUE(hasImageExtension(path)) << path;
    for (const char* path : {"a.lua", "a.p3d", "a.png.gz", "a.osgt.curl", "a", "png", "a.obj", "a.ive", "a.osgjs"})
        EXPECT_FALSE(hasImageExtension(path)) << path;
}

TEST(ShapesImageFiles, MalformedFilesGiveNoImage)
{
    ShapesTempDir dir;
    dir.writeText("broken.png", "\x89PNG\r\n\x1a\n this is not an image");
    dir.writeText("broken.osgt", "#Ascii Object\nosg::ImageSequence { FileNames 99999999999 { \"");
    dir.writeText("broken.osgb", std::string("\x6c\x69\x0e\x10\xa4\xef\x1a\x1a\xff\xff\xff\xff", 12));
    for (const char* name : {"broken.png", "broken.osgt", "broken.osgb", "missing.png"})
        EXPECT_FALSE(readImageSafely(dir.file(name)).valid()) << name;
}

TEST(ShapesImageFiles, ImageSequenceDescribedInTheSceneGraphFormat)
{
    ShapesTempDir dir;
    dir.writePng("a.png", 2, 2, 10);
    dir.writePng("b.png", 2, 2, 200);
    dir.writeText("clip.osgt",
                  "#Ascii Object\n#Version 161\n#Generator OpenSceneGraph 3.6.5\n\n"
                  "osg::ImageSequence {\n  UniqueID 1\n  FileNames 2 {\n    \"a.png\"\n    \"b.png\"\n  }\n}\n");
    osg::ref_ptr<osg::Image> image = readImageSafely(dir.file("clip.osgt"));
    auto* sequence = dynamic_cast<osg::ImageSequence*>(image.get());
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->getNumImageData(), 2u);

    osg::ref_ptr<osg::Image> still = readImageSafely(dir.file("a.png"));
    ASSERT_TRUE(still.valid());
    EXPECT_EQ(still->s(), 2);
}

}  // namespace

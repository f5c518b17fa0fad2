#pragma once
// Small files made by the shape tests: a temporary folder and PNG images.

#include <gtest/gtest.h>

#include <osg/Image>
#include <osgDB/WriteFile>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

// A fresh folder under /tmp, removed with its files when the test ends.
class ShapesTempDir {
public:
    ShapesTempDir()
    {
        char pattern[] = "/tmp/zolvi_shapes_XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        path = made != nullptr ? made : "/tmp";
    }
    ~ShapesTempDir() { std::system(("rm -rf '" + path + "'").c_str()); }

    std::string file(const std::string& name) const { return path + "/" + name; }

    // A width x height RGB image of one grey level.
    void writePng(const std::string& name, int width, int height, unsigned char level) const
    {
        osg::ref_ptr<osg::Image> image = new osg::Image();
        image->allocateImage(width, height, 1, GL_RGB, GL_UNSIGNED_BYTE);
        std::memset(image->data(), level, image->getTotalSizeInBytes());
        ASSERT_TRUE(osgDB::writeImageFile(*image, file(name)));
    }

    void writeText(const std::string& name, const std::string& content) const
    {
        std::ofstream(file(name), std::ios::binary) << content;
    }

    std::string path;
};

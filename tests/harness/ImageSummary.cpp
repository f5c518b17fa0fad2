#include "ImageSummary.h"

#include <osg/Image>
#include <osgDB/ReadFile>

std::optional<ImageSummary> summarizeImage(const std::string& path)
{
    osg::ref_ptr<osg::Image> image = osgDB::readImageFile(path);
    if (!image || image->s() <= 0 || image->t() <= 0)
        return std::nullopt;
    ImageSummary summary;
    summary.width = image->s();
    summary.height = image->t();
    for (int row = 0; row < image->t(); ++row)
        for (int column = 0; column < image->s(); ++column) {
            const osg::Vec4 colour = image->getColor(column, row);
            if (colour.r() > 0 || colour.g() > 0 || colour.b() > 0)
                ++summary.litPixels;
        }
    return summary;
}

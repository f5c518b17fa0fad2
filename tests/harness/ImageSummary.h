#pragma once
// Reads an image file written by the viewer (a screenshot) for end-to-end
// checks that need only coarse facts about it.
//
//   auto shot = summarizeImage(viewer.path("shot.png"));
//   ASSERT_TRUE(shot);
//   EXPECT_GT(shot->litPixels, 1000);

#include <optional>
#include <string>

struct ImageSummary {
    int width = 0;
    int height = 0;
    long litPixels = 0;  // pixels that are not pure black
};

// Nothing when the file cannot be read as an image.
std::optional<ImageSummary> summarizeImage(const std::string& path);

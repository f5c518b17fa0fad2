#include "SceneShots.h"

#include <osgDB/ReadFile>

#include <chrono>
#include <cstdlib>
#include <thread>

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

std::ostream& operator<<(std::ostream& out, const PixelBox& box)
{
    if (box.empty())
        return out << "(no pixels)";
    return out << "x " << box.left << ".." << box.right << ", y " << box.top << ".." << box.bottom;
}

bool near(const Rgb& actual, const Rgb& expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

bool isLit(const Rgb& colour) { return colour.r > 40 || colour.g > 40 || colour.b > 40; }

Rgb SceneShot::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return {};
    // Images are stored bottom row first.
    const osg::Vec4 colour = image->getColor(x, height() - 1 - y);
    auto channel = [](float value) { return static_cast<int>(value * 255.0f + 0.5f); };
    return {channel(colour.r()), channel(colour.g()), channel(colour.b())};
}

PixelBox SceneShot::boxOf(const std::function<bool(const Rgb&)>& test) const
{
    PixelBox box{width(), height(), -1, -1};
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x)
            if (test(at(x, y))) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

long SceneShot::count(const std::function<bool(const Rgb&)>& test) const
{
    long pixels = 0;
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x)
            pixels += test(at(x, y)) ? 1 : 0;
    return pixels;
}

bool waitForFirstFrame(ViewerProcess& viewer)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        viewer.send("screenshot \"warm-up\"");
        const auto report = viewer.nextReport();
        if (report == viewer.sender() + " took screenshot;\n")
            return true;
        if (report != viewer.sender() + " screenshot failed: no frame rendered yet;\n" &&
            report != viewer.sender() + " screenshot failed: no screen image;\n") {
            ADD_FAILURE() << "unexpected reply: " << report.value_or("(none)");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::optional<SceneShot> takeShot(ViewerProcess& viewer, const std::string& name)
{
    if (!viewer.send("screenshot \"" + name + "\""))
        return std::nullopt;
    if (viewer.nextReport() != viewer.sender() + " took screenshot;\n")
        return std::nullopt;
    osg::ref_ptr<osg::Image> image = osgDB::readRefImageFile(viewer.path(name + ".png"));
    if (!image.valid() || image->s() <= 0 || image->t() <= 0)
        return std::nullopt;
    return SceneShot(image);
}

std::optional<SceneShot> shotWhen(ViewerProcess& viewer, const std::function<bool(const SceneShot&)>& test,
                                  ViewerProcess::Duration timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<SceneShot> shot;
    do {
        shot = takeShot(viewer);
        if (shot && test(*shot))
            return shot;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return shot;
}

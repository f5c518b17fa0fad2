#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CoreStartupE2E, WritesStartupLinesInOrderAndClosesWithStatusOne)
{
    ViewerOptions options;
    options.extraArgs = {"ignored", "also-ignored"};
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.waitForStderr("Running\n"));
    const std::string expected =
        "ZolviViewer init\nReading configuration '" + viewer.path("zolvi.cfg") + "'\nRunning\n";
    EXPECT_EQ(viewer.stderrText().substr(0, expected.size()), expected);

    ASSERT_TRUE(viewer.closeWindow());
    EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1));
}

TEST(CoreStartupE2E, MissingConfigurationFileKeepsRunning)
{
    const std::string missing = "/nonexistent/zolvi-missing.cfg";
    ViewerOptions options;
    options.configPath = missing;
    options.waitForSubscriber = false;
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.waitForStderr("Running\n"));
    EXPECT_EQ(viewer.stderrText().substr(0, 200).find("ZolviViewer init\n"
                                                      "Reading configuration '" + missing + "'\n"
                                                      "Could not open config file '" + missing + "'\n"
                                                      "Running\n"),
              0u)
        << viewer.stderrText();
    EXPECT_FALSE(viewer.waitForExit(std::chrono::milliseconds(1500))) << "the viewer ended";
    ASSERT_TRUE(viewer.closeWindow());
    EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1));
}

TEST(CoreStartupE2E, HomeUnsetStillRuns)
{
    ViewerOptions options;
    options.environment = {{"HOME", std::nullopt}};
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.waitForStderr("Running\n"));
    EXPECT_FALSE(viewer.waitForExit(std::chrono::milliseconds(1000))) << "the viewer ended";
    ASSERT_TRUE(viewer.closeWindow());
    EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1));
}

// Without a display the frame loop ends at once; the process leaves with
// status 1 while its intake and command threads still run, without crashing.
TEST(CoreStartupE2E, NoDisplayExitsWithStatusOne)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        ViewerOptions options;
        options.display = false;
        options.waitForSubscriber = false;
        ViewerProcess viewer(options);
        ASSERT_TRUE(viewer.start());
        EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1)) << viewer.stderrText();
        EXPECT_NE(viewer.stderrText().find("Running\n"), std::string::npos);
    }
}

TEST(CoreStartupE2E, NoArgumentUsesPresets)
{
    ViewerOptions options;
    options.passConfigFile = false;
    options.waitForSubscriber = false;
    ViewerProcess viewer(options);
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.waitForStderr("Running\n"));
    EXPECT_EQ(viewer.stderrText().substr(0, 26), "ZolviViewer init\nRunning\n");
    ASSERT_TRUE(viewer.closeWindow());
    EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1));
}

}  // namespace

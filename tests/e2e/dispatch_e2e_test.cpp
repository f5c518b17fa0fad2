// The command dispatcher through the real process: messages published over
// ZeroMQ, replies read as UDP datagrams byte for byte, screenshots written
// by the running viewer.

#include "ImageSummary.h"
#include "SceneShots.h"
#include "ViewerProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

using std::chrono::milliseconds;

bool fileExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

TEST(DispatchE2E, RepliesAreExactDatagramsWithTheLatestPort)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.send("x=2.50; y=`x*2`; print x nothing y"));
    EXPECT_EQ(viewer.reports(3), (std::vector<std::string>{viewer.sender() + " 2.5 (2.50);\n",
                                                           viewer.sender() + " nothing: var not found.;\n",
                                                           viewer.sender() + " 5 (user0:x*2);\n"}));
    // The same sender from another port: later replies carry the new port.
    ASSERT_TRUE(viewer.sendRaw("e2e:4999 print x"));
    EXPECT_EQ(viewer.nextReport(), "e2e:4999 2.5 (2.50);\n");
    // A second sender is a user of its own.
    ASSERT_TRUE(viewer.sendRaw("other:1 x=7; print x user0:x"));
    EXPECT_EQ(viewer.reports(2), (std::vector<std::string>{"other:1 7;\n", "other:1 2.5 (2.50);\n"}));
    EXPECT_TRUE(viewer.waitForStderr("User constructor: other\n"));
}

TEST(DispatchE2E, MalformedMessagesAreDroppedAndTheNextIsHandled)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.sendRaw(""));
    ASSERT_TRUE(viewer.sendRaw("no-header-at-all"));
    ASSERT_TRUE(viewer.sendRaw("bad:1"));
    ASSERT_TRUE(viewer.sendRaw(std::string("\0e2e:4000 x=1", 13)));
    ASSERT_TRUE(viewer.send("print none"));
    EXPECT_EQ(viewer.nextReport(), viewer.sender() + " none: var not found.;\n");
    EXPECT_TRUE(viewer.drainReports().empty());
    EXPECT_EQ(viewer.stderrCount("Command message dropped"), 4u) << viewer.stderrText();
    EXPECT_EQ(viewer.stderrCount("User constructor: bad"), 0u);
}

TEST(DispatchE2E, ScheduledCommandRepliesToItsOwner)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(viewer.send("x=3; in 0.5 'print x'"));
    ASSERT_TRUE(viewer.sendRaw("e2e:4321 x=4"));
    EXPECT_EQ(viewer.nextReport(milliseconds(15000)), "e2e:4321 4;\n");
}

TEST(DispatchE2E, ScreenshotIsTheRenderedFrameAt720x480)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(waitForFirstFrame(viewer));
    ASSERT_TRUE(viewer.send("screenshot \"shot\"; print none"));
    // The reply comes once the file is written, before the next statement's.
    EXPECT_EQ(viewer.reports(2), (std::vector<std::string>{viewer.sender() + " took screenshot;\n",
                                                           viewer.sender() + " none: var not found.;\n"}));
    const auto shot = summarizeImage(viewer.path("shot.png"));
    ASSERT_TRUE(shot);
    // A viewer that could not open its 720 x 480 window in time renders into
    // a full-screen one instead; the screenshot then has that size.
    if (viewer.stderrText().find("GraphicsWindow has not been created successfully") != std::string::npos)
        GTEST_SKIP() << "the viewer's window was not opened; screenshot is " << shot->width << "x" << shot->height;
    EXPECT_EQ(shot->width, 720);
    EXPECT_EQ(shot->height, 480);
}

TEST(DispatchE2E, UnsafeScreenshotNamesWriteNothing)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.start());
    ASSERT_TRUE(waitForFirstFrame(viewer));
    const std::string outside = viewer.workDir() + "-outside";
    ASSERT_TRUE(viewer.send("screenshot \"" + outside + "\"; screenshot '../escaped'; screenshot \"\""));
    EXPECT_EQ(viewer.reports(3),
              (std::vector<std::string>{viewer.sender() + " screenshot failed: absolute path not allowed;\n",
                                        viewer.sender() + " screenshot failed: '..' not allowed in file name;\n",
                                        viewer.sender() + " screenshot failed: empty file name;\n"}));
    EXPECT_FALSE(fileExists(outside + ".png"));
    EXPECT_FALSE(fileExists(viewer.workDir() + "/../escaped.png"));
    EXPECT_FALSE(fileExists(viewer.path(".png")));
}

}  // namespace

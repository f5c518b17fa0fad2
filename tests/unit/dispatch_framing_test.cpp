// Framing of command messages and the screenshot-name rules.

#include "MessageFraming.h"
#include "ScreenshotCapture.h"

#include <gtest/gtest.h>

namespace {

struct FrameCase {
    const char* message;
    bool framed;
    const char* address;
    const char* port;
    const char* command;
};

TEST(DispatchFraming, SplitsAddressPortAndCommand)
{
    const FrameCase cases[] = {
        {"127.0.0.1:5000 cube box size=2", true, "127.0.0.1", "5000", " cube box size=2"},
        {"a:1  x=1", true, "a", "1", "  x=1"},
        {"a:1 ", true, "a", "1", " "},
        // Line feeds go wherever they stand; carriage returns stay.
        {"a:1 cube\n box\n", true, "a", "1", " cube box"},
        {"a\n:\n1\n x=5\r", true, "a", "1", " x=5\r"},
        // Only the first ':' and the first blank count.
        {"a:b:c d:e f", true, "a", "b:c", " d:e f"},
        {":7 x=1", true, "", "7", " x=1"},
        {"a: x=1", true, "a", "", " x=1"},
        {"user0:99 print x", true, "user0", "99", " print x"},
        // Dropped: empty, no blank, no ':' before the first blank.
        {"", false, "", "", ""},
        {"\n\n", false, "", "", ""},
        {"a:1", false, "", "", ""},
        {"a:1\n", false, "", "", ""},
        {"noheader", false, "", "", ""},
        {"a b:c", false, "", "", ""},
        {" a:1 x=1", false, "", "", ""},
        {"\tab:1", false, "", "", ""},
    };
    for (const FrameCase& c : cases) {
        MessageFrame frame{"untouched", "untouched", "untouched"};
        EXPECT_EQ(frameMessage(c.message, frame), c.framed) << c.message;
        if (c.framed) {
            EXPECT_EQ(frame.address, c.address) << c.message;
            EXPECT_EQ(frame.port, c.port) << c.message;
            EXPECT_EQ(frame.command, c.command) << c.message;
        } else {
            EXPECT_EQ(frame.address, "untouched") << c.message;
        }
    }
}

TEST(DispatchFraming, BinaryBytesStayInsideTheMessage)
{
    std::string message("a\xff:\x01\x02 \x00\x7f", 8);
    MessageFrame frame;
    ASSERT_TRUE(frameMessage(message, frame));
    EXPECT_EQ(frame.address, "a\xff");
    EXPECT_EQ(frame.port, "\x01\x02");
    EXPECT_EQ(frame.command, std::string(" \x00\x7f", 3));
}

TEST(DispatchFraming, BuiltMessagesFrameBackToTheirParts)
{
    MessageFrame frame;
    ASSERT_TRUE(frameMessage(buildMessage("10.0.0.1", "6000", " Main.play=1"), frame));
    EXPECT_EQ(frame.address, "10.0.0.1");
    EXPECT_EQ(frame.port, "6000");
    EXPECT_EQ(frame.command, "  Main.play=1");
}

// The screenshot's own rules come before the shared file-name rule.
TEST(DispatchScreenshotName, RelativeNonEmptyAndSafe)
{
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"shot", ""},
        {"dir/shot", ""},
        {"", "empty file name"},
        {"/tmp/shot", "absolute path not allowed"},
        {"/", "absolute path not allowed"},
        {"../shot", "'..' not allowed in file name"},
        {"shot\n", "control character in file name"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkScreenshotName(c.name), c.reason) << '"' << c.name << '"';
}

}  // namespace

#include "SafeFileName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SafeFileName, RefusesNamesThatLeaveTheirFolderOrCarryControls)
{
    const struct {
        std::string name;
        const char* reason;
    } cases[] = {
        {"wood.png", ""},
        {"tex/wood.png", ""},
        {"./shot", ""},
        {"..wood.png", ""},
        {"shot..", ""},
        {"a..b/c...png", ""},
        {"/abs/wood.png", ""},  // a folder prefix is the caller's rule
        {"caf\xc3\xa9", ""},
        {"with blank", ""},
        {"..", "'..' not allowed in file name"},
        {"../secret.png", "'..' not allowed in file name"},
        {"tex/../../secret.png", "'..' not allowed in file name"},
        {"tex/..", "'..' not allowed in file name"},
        {"..\\secret.png", "'..' not allowed in file name"},
        {"wood\n.png", "control character in file name"},
        {"sh\tot", "control character in file name"},
        {"wood\x1b[2J.png", "control character in file name"},
        {"wood\x7f.png", "control character in file name"},
        {std::string("nul\0.png", 8), "control character in file name"},
        {"http://host/wood.png", "URL not allowed in file name"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unsafeFileNameReason(c.name), c.reason) << testing::PrintToString(c.name);
        EXPECT_EQ(isSafeFileName(c.name), std::string(c.reason).empty()) << testing::PrintToString(c.name);
    }
}

TEST(SafeFileName, PrintableTextMasksControls)
{
    EXPECT_EQ(printableText("a\nb\x1b[2J\x7f"), "a?b?[2J?");
    EXPECT_EQ(printableText("caf\xc3\xa9"), "caf\xc3\xa9");
}

}  // namespace

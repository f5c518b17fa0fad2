// Full names built, split and qualified: each written name with the parts
// it splits into and the full names that storing and reading it use, for
// the sender "me".

#include "FullName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The parts of a split name in brackets, with the separators it holds:
// "[u]:[box].[size]", "[x]", "[].[x]".
std::string bracketed(const WrittenName& name)
{
    std::string text;
    if (name.hasUser)
        text += "[" + std::string(name.user) + "]:";
    if (name.hasObject)
        text += "[" + std::string(name.object) + "].";
    return text + "[" + std::string(name.parameter) + "]";
}

TEST(FullName, WrittenNamesSplitAndQualify)
{
    const struct {
        const char* written;
        NameProblem problem;
        const char* parts;     // bracketed, when well formed
        const char* assigned;  // assignedName for the sender "me"
        const char* read;      // readName for the sender "me"
    } cases[] = {
        {"x", NameProblem::None, "[x]", "me:x", "me:x"},
        {"u:x", NameProblem::None, "[u]:[x]", "u:x", "u:x"},
        {"box.size", NameProblem::None, "[box].[size]", "me:box.size", "me:box.size"},
        {"u:box.size", NameProblem::None, "[u]:[box].[size]", "u:box.size", "u:box.size"},
        // An empty user part is the sender's; an empty object part is no
        // object when storing, but is read as written.
        {":x", NameProblem::None, "[]:[x]", "me:x", "me:x"},
        {".x", NameProblem::None, "[].[x]", "me:x", "me:.x"},
        {"u:.x", NameProblem::None, "[u]:[].[x]", "u:x", "u:.x"},
        {"x.", NameProblem::None, "[x].[]", "me:x.", "me:x."},
        {"u:", NameProblem::None, "[u]:[]", "u:", "u:"},
        {"", NameProblem::None, "[]", "me:", "me:"},
        {":", NameProblem::None, "[]:[]", "me:", "me:"},
        {".", NameProblem::None, "[].[]", "me:", "me:."},
        {"a b:c d.e f", NameProblem::None, "[a b]:[c d].[e f]", "a b:c d.e f", "a b:c d.e f"},
        // The first misplaced separator decides.
        {"a.b.c", NameProblem::SecondDot, "", "", ""},
        {"a..b", NameProblem::SecondDot, "", "", ""},
        {"a.b.c:d", NameProblem::SecondDot, "", "", ""},
        {"a:b:c", NameProblem::MisplacedColon, "", "", ""},
        {"::", NameProblem::MisplacedColon, "", "", ""},
        {"a.b:c", NameProblem::MisplacedColon, "", "", ""},
        {"a.b:c.d", NameProblem::MisplacedColon, "", "", ""},
    };
    for (const auto& c : cases) {
        WrittenName name;
        name.parameter = "untouched";
        ASSERT_EQ(splitName(c.written, name), c.problem) << c.written;
        if (c.problem != NameProblem::None) {
            EXPECT_EQ(name.parameter, "untouched") << c.written;
            continue;
        }
        EXPECT_EQ(bracketed(name), c.parts) << c.written;
        EXPECT_EQ(assignedName(name, "me"), c.assigned) << c.written;
        EXPECT_EQ(readName(name, "me"), c.read) << c.written;
    }
}

TEST(FullName, BuiltAndTheirUserPartFound)
{
    const struct {
        std::string built;
        const char* expected;
    } built[] = {
        {fullName("u", "x"), "u:x"},
        {fullName("", "x"), ":x"},
        {fullName("u", "box", "size"), "u:box.size"},
        {fullName("u", "", "size"), "u:.size"},
        {parameterName("box", "size"), "box.size"},
        {parameterName("u:box", "time"), "u:box.time"},
        {userPrefix("u"), "u:"},
        {userPrefix(""), ":"},
    };
    for (const auto& c : built)
        EXPECT_EQ(c.built, c.expected);

    const struct {
        const char* name;
        bool namesUser;
        const char* userPart;
    } owners[] = {
        {"x", false, ""}, {"box.size", false, ""}, {"u:x", true, "u"},
        {":x", true, ""}, {"u:", true, "u"},        {"a:b:c", true, "a"},
    };
    for (const auto& c : owners) {
        EXPECT_EQ(namesUser(c.name), c.namesUser) << c.name;
        EXPECT_EQ(userPart(c.name), c.userPart) << c.name;
    }
}

}  // namespace

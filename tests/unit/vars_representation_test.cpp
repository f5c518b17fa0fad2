// How the store keeps numbers must not show: a literal, which is stored
// without a compiled expression, has the very value the expression library
// gives the same text, and a number is bound in the symbol table only once
// an expression names it, yet names that differ only in case still read the
// number stored first.

#include "vars_test_support.h"

#include <cstring>

using namespace vars_test;

namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct LiteralCase {
    const char* label;
    const char* text;
};

void PrintTo(const LiteralCase& c, std::ostream* os) { *os << c.label; }

class VarsLiterals : public testing::TestWithParam<LiteralCase> {};

// The text alone, and the text in brackets (which the library compiles),
// give the same bits, or the same refusal, as a number parameter and as a
// free variable, and the text is kept as written.
TEST_P(VarsLiterals, ValueIsTheLibrarysOwn)
{
    const LiteralCase& c = GetParam();
    const std::string user = freshUser();
    for (::ParamType kind : {PARAM_NUMBER, PARAM_EXPRESSION}) {
        const std::string plain = user + ":plain" + std::to_string(kind);
        const std::string bracketed = user + ":bracketed" + std::to_string(kind);
        const std::string refusal = addCapturing(plain, c.text, kind);
        EXPECT_EQ(addCapturing(bracketed, std::string("(") + c.text + ")", kind), refusal);
        // A refused expression is not stored; a refused number is, holding 0.
        ASSERT_EQ(number(plain) != nullptr, number(bracketed) != nullptr);
        if (number(plain) == nullptr)
            continue;
        EXPECT_TRUE(sameBits(number(plain)->getValue(), number(bracketed)->getValue()))
            << number(plain)->getValue() << " against " << number(bracketed)->getValue();
        EXPECT_EQ(number(plain)->getString(), c.text);
        if (!refusal.empty())
            continue;
        // Stored again over an expression, it holds the same.
        EXPECT_EQ(addCapturing(bracketed, c.text, kind), "");
        EXPECT_TRUE(sameBits(number(plain)->getValue(), number(bracketed)->getValue()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VarsLiterals,
    testing::Values(LiteralCase{"integer", "7"}, LiteralCase{"decimal", "1.5"}, LiteralCase{"tenth", "0.1"},
                    LiteralCase{"negative", "-2.75"}, LiteralCase{"negative_zero", "-0"},
                    LiteralCase{"exponent", "1e5"}, LiteralCase{"negative_exponent", "2.5E-3"},
                    LiteralCase{"signed_exponent", "3e+2"}, LiteralCase{"many_digits", "0.30000000000000004441"},
                    LiteralCase{"long_integer", "123456789012345678901234567890"},
                    LiteralCase{"leading_zeros", "007.50"}, LiteralCase{"huge", "1.7976931348623157e308"},
                    LiteralCase{"tiny", "4.9406564584124654e-324"}, LiteralCase{"overflowing", "1e999"},
                    LiteralCase{"trailing_dot", "5."}, LiteralCase{"leading_dot", ".5"}),
    [](const testing::TestParamInfo<LiteralCase>& info) { return std::string(info.param.label); });

TEST(VarsLiterals, LiteralOverAnExpressionNoLongerFollowsItsNames)
{
    const std::string user = freshUser();
    EXPECT_EQ(addCapturing(user + ":y", "2", PARAM_EXPRESSION), "");
    EXPECT_EQ(addCapturing(user + ":x", "y*3", PARAM_EXPRESSION), "");
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 6);
    EXPECT_EQ(addCapturing(user + ":x", "4", PARAM_EXPRESSION), "");
    EXPECT_EQ(addCapturing(user + ":y", "5", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 4);
    EXPECT_TRUE(number(user + ":x")->getChildrenKeys()->empty());
    EXPECT_TRUE(number(user + ":y")->getParentVars()->empty());
    // And an expression over the literal follows it.
    EXPECT_EQ(addCapturing(user + ":z", "x+1", PARAM_EXPRESSION), "");
    EXPECT_EQ(addCapturing(user + ":x", "-1", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":z")->getValue(), 0);
}

// Names that differ only in case: the symbol table reads the number stored
// first, whichever spelling an expression uses and whenever it is first
// named; once that number is removed, a number stored later takes the name.
TEST(VarsSymbols, NamesDifferingInCaseReadTheNumberStoredFirst)
{
    const std::string user = freshUser();
    EXPECT_EQ(addCapturing(user + ":Speed", "1", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(user + ":speed", "2", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(user + ":SPEED", "3", PARAM_NUMBER), "");
    for (const char* spelling : {":speed", ":SPEED", ":sPeEd"}) {
        EXPECT_EQ(addCapturing(user + ":read", user + spelling + "*10", PARAM_NUMBER), "") << spelling;
        EXPECT_DOUBLE_EQ(number(user + ":read")->getValue(), 10) << spelling;
    }
    // Linked to the number that is read: changing it re-evaluates.
    EXPECT_EQ(addCapturing(user + ":linked", "speed*10", PARAM_EXPRESSION), "");
    EXPECT_DOUBLE_EQ(number(user + ":linked")->getValue(), 10);
    EXPECT_EQ(*number(user + ":linked")->getChildrenKeys(), std::set<std::string>{user + ":Speed"});
    EXPECT_EQ(addCapturing(user + ":Speed", "4", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":linked")->getValue(), 40);

    store()->remove(user + ":linked");
    store()->remove(user + ":Speed");
    // The numbers stored while Speed held the name never take it.
    EXPECT_NE(addCapturing(user + ":after", user + ":speed", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(user + ":SpEeD", "5", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(user + ":after", user + ":speed", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":after")->getValue(), 5);
}

// A string under a name never holds it, even when stored first.
TEST(VarsSymbols, StringsHoldNoName)
{
    const std::string user = freshUser();
    EXPECT_EQ(addCapturing(user + ":Label", "text", PARAM_STRING), "");
    EXPECT_EQ(addCapturing(user + ":label", "8", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(user + ":read", user + ":LABEL+1", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":read")->getValue(), 9);
}

}  // namespace

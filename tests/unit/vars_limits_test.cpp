// What a client's expression cannot do to the store: a failed compilation
// changes nothing, loops end at their bound, strings and large vectors are
// refused.

#include "vars_test_support.h"

#include <sys/resource.h>

#include <chrono>
#include <vector>

using namespace vars_test;

namespace {

TEST(VarsFailedCompile, ExistingNumberKeepsTextValueAndLinks)
{
    const std::string user = freshUser();
    const std::string x = user + ":x", y = user + ":y";
    addCapturing(y, "2", PARAM_NUMBER);
    addCapturing(x, "y*10", PARAM_EXPRESSION);

    for (ParamType kind : {PARAM_NUMBER, PARAM_EXPRESSION}) {
        const std::string err = addCapturing(x, "1+", kind);
        EXPECT_EQ(err.rfind("Variable add error: ERR208 - Premature end of expression", 0), 0u) << err;
        EXPECT_EQ(number(x)->getString(), user + ":y*10");
        EXPECT_DOUBLE_EQ(number(x)->getValue(), 20);
    }
    addCapturing(y, "3", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(x)->getValue(), 30);
}

TEST(VarsFailedCompile, NewNumberStaysWithItsTextAndZero)
{
    const std::string name = freshUser() + ":fresh";
    const std::string err = addCapturing(name, "nosuch+1", PARAM_NUMBER);
    EXPECT_EQ(err, "Variable add error: ERR201 - Undefined symbol: 'nosuch'\n");
    ASSERT_NE(number(name), nullptr);
    EXPECT_EQ(number(name)->getString(), "nosuch+1");
    EXPECT_DOUBLE_EQ(number(name)->getValue(), 0);
    // It can be given a text that compiles afterwards.
    EXPECT_EQ(addCapturing(name, "4", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(name)->getValue(), 4);
}

struct RefusalCase {
    const char* label;
    const char* text;
    const char* error;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.label; }

class VarsRefused : public testing::TestWithParam<RefusalCase> {};

TEST_P(VarsRefused, ReportedAndNothingChanged)
{
    const RefusalCase& c = GetParam();
    const std::string name = freshUser() + ":x";
    addCapturing(name, "7", PARAM_NUMBER);
    for (::ParamType kind : {PARAM_NUMBER, PARAM_EXPRESSION}) {
        EXPECT_EQ(addCapturing(name, c.text, kind), std::string("Variable add error: ") + c.error + "\n");
        EXPECT_EQ(number(name)->getString(), "7");
        EXPECT_DOUBLE_EQ(number(name)->getValue(), 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsRefused,
    testing::Values(RefusalCase{"string_literal", "'a' == 'a'", "Error: strings are not allowed in expressions"},
                    RefusalCase{"string_doubling", "var s := 'ab'; s += s; s += s; 1",
                                "Error: strings are not allowed in expressions"},
                    RefusalCase{"huge_vector", "var v[2000000000]; 1", "Error: vectors in expression too large"},
                    RefusalCase{"vectors_adding_up", "var v[60000]; var w[6e4]; 1",
                                "Error: vectors in expression too large"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.label); });

TEST(VarsLimits, SmallVectorsAreAllowed)
{
    const std::string name = freshUser() + ":v";
    EXPECT_EQ(addCapturing(name, "var v[3] := {1, 2, 3}; sum(v)", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(name)->getValue(), 6);
}

// A vector defined inside another's size is counted, never filled while
// the sizes are checked: 10^8 elements would take 800 MB.
TEST(VarsLimits, VectorInsideASizeIsRefusedWithoutFillingIt)
{
    const auto peakKb = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const std::string name = freshUser() + ":v";
    addCapturing(name, "7", PARAM_NUMBER);
    const long before = peakKb();
    EXPECT_EQ(addCapturing(name, "var v[var w[1e8]]", PARAM_NUMBER),
              "Variable add error: Error: vectors in expression too large\n");
    EXPECT_LT(peakKb() - before, 100 * 1024);
    EXPECT_DOUBLE_EQ(number(name)->getValue(), 7);
}

// Every number keeps its vectors with its expression: together they are
// held to a bound, and a number that drops its vectors makes room again.
TEST(VarsLimits, VectorsHeldByAllNumbersAreBounded)
{
    const std::string user = freshUser();
    const std::string text = "var v[100000] := [1]; sum(v)";
    std::vector<std::string> stored;
    std::string refused;
    for (int i = 0; i < 150 && refused.empty(); ++i) {
        const std::string name = user + ":v" + std::to_string(i);
        const std::string err = addCapturing(name, text, PARAM_NUMBER);
        if (err.empty()) {
            ASSERT_DOUBLE_EQ(number(name)->getValue(), 1e5);
            stored.push_back(name);
        } else {
            EXPECT_EQ(err, "Variable add error: Error: vectors in expression too large\n");
            EXPECT_FALSE(store()->exists(name));
            refused = name;
        }
    }
    ASSERT_FALSE(refused.empty());
    EXPECT_LE(stored.size(), 100u);
    ASSERT_FALSE(stored.empty());

    // Storing the same vectors again into a number that holds them fits.
    EXPECT_EQ(addCapturing(stored.back(), text, PARAM_NUMBER), "");
    // A plain number frees its vectors.
    EXPECT_EQ(addCapturing(stored.front(), "0", PARAM_NUMBER), "");
    EXPECT_EQ(addCapturing(refused, text, PARAM_NUMBER), "");
    stored.push_back(refused);
    // So does a number that is removed.
    const std::string extra = user + ":extra";
    EXPECT_NE(addCapturing(extra, text, PARAM_NUMBER), "");
    store()->remove(stored.back());
    stored.pop_back();
    EXPECT_EQ(addCapturing(extra, text, PARAM_NUMBER), "");
    stored.push_back(extra);
    for (const std::string& name : stored)
        addCapturing(name, "0", PARAM_NUMBER);
}

struct LoopCase {
    const char* label;
    const char* text;  // "U" stands for the user name; U:n holds 1
    bool bounded;      // whether the bound is reached
};

// Named in test listings by what tells the cases apart.
void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.label; }

class VarsLoops : public testing::TestWithParam<LoopCase> {};

// Loops that would run (nearly) forever end at the bound, quickly, and the
// sender hears of it; loops within the bound run to their end.
TEST_P(VarsLoops, EndAtTheirBound)
{
    const LoopCase& c = GetParam();
    const std::string user = freshUser();
    addCapturing(user + ":n", "1", PARAM_NUMBER);
    std::string text = c.text;
    for (std::string::size_type at = text.find('U'); at != std::string::npos; at = text.find('U', at))
        text.replace(at, 1, user);

    const auto start = std::chrono::steady_clock::now();
    const std::string err = addCapturing(user + ":x", text, PARAM_EXPRESSION);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0);
    if (c.bounded)
        EXPECT_EQ(err, "Variable add error: Error: Loop iteration limit exceeded in " + user + ":x\n");
    else
        EXPECT_EQ(err, "");
    // Stored all the same: a later change of n evaluates it again, bounded.
    ASSERT_NE(number(user + ":x"), nullptr);
    EXPECT_EQ(number(user + ":x")->getChildrenKeys()->count(user + ":n"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsLoops,
    testing::Values(LoopCase{"endless_while", "while(U:n > 0){1}", true},
                    LoopCase{"endless_repeat", "repeat 1 until (U:n < 0)", true},
                    LoopCase{"endless_for", "for (var i := 0; U:n > 0; i += 1) { i }", true},
                    LoopCase{"nested", "for (var i := 0; i < 1e9; i += 1) { for (var j := 0; j < 1e9; j += 1) "
                                       "{ for (var k := 0; k < 1e9; k += 1) { U:n } } }",
                             true},
                    LoopCase{"loop_over_vector", "var v[100000]; for (var i := 0; i < 1e9; i += 1) { v += U:n }",
                             true},
                    LoopCase{"within_bound", "var t := 0; for (var i := 0; i < 1000; i += 1) { t += U:n }; t",
                             false}),
    [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.label); });

TEST(VarsLoops, WithinBoundComputesItsValue)
{
    const std::string user = freshUser();
    addCapturing(user + ":n", "2", PARAM_NUMBER);
    addCapturing(user + ":x", "var t := 0; for (var i := 0; i < 1000; i += 1) { t += n }; t", PARAM_EXPRESSION);
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 2000);
    addCapturing(user + ":n", "3", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 3000);
}

}  // namespace

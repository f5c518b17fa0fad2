// The value store: storing numbers, expressions, strings and schedules,
// dependency links, loop refusal and re-evaluation.

#include "vars_test_support.h"

#include <cmath>
#include <vector>

using namespace vars_test;

namespace {

struct ChainCase {
    const char* label;
    // Assignments made in order, "name=expression" (names without user part).
    std::vector<std::pair<std::string, std::string>> setup;
    std::string changed;  // the number stored again with PARAM_NUMBER
    std::string newText;
    std::vector<std::pair<std::string, double>> expected;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.label; }

class VarsReevaluation : public testing::TestWithParam<ChainCase> {};

TEST_P(VarsReevaluation, DependantsFollowAChange)
{
    const ChainCase& c = GetParam();
    const std::string user = freshUser();
    for (const auto& step : c.setup)
        EXPECT_EQ(addCapturing(user + ":" + step.first, step.second, PARAM_EXPRESSION), "") << step.first;
    EXPECT_EQ(addCapturing(user + ":" + c.changed, c.newText, PARAM_NUMBER), "");
    for (const auto& expectation : c.expected) {
        VarType* value = number(user + ":" + expectation.first);
        ASSERT_NE(value, nullptr) << expectation.first;
        EXPECT_DOUBLE_EQ(value->getValue(), expectation.second) << expectation.first;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VarsReevaluation,
    testing::Values(
        ChainCase{"direct", {{"y", "2"}, {"x", "y+1"}}, "y", "5", {{"x", 6}, {"y", 5}}},
        ChainCase{"chain",
                  {{"c", "1"}, {"b", "c*10"}, {"a", "b+c"}},
                  "c",
                  "2",
                  {{"b", 20}, {"a", 22}}},
        // a uses b and c, which both use d: a must see both new values.
        ChainCase{"diamond",
                  {{"d", "1"}, {"b", "d+1"}, {"c", "d*3"}, {"a", "b*c"}},
                  "d",
                  "2",
                  {{"b", 3}, {"c", 6}, {"a", 18}}},
        // e uses d directly and through a longer path: evaluated after both.
        ChainCase{"uneven paths",
                  {{"d", "1"}, {"p", "d+1"}, {"q", "p+1"}, {"r", "q+1"}, {"e", "r-d"}},
                  "d",
                  "10",
                  {{"r", 13}, {"e", 3}}},
        ChainCase{"only dependants change",
                  {{"u", "1"}, {"v", "2"}, {"w", "u+1"}},
                  "u",
                  "4",
                  {{"w", 5}, {"v", 2}}}),
    [](const testing::TestParamInfo<ChainCase>& info) {
        std::string name = info.param.label;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(VarsStore, ExpressionTextIsQualifiedAndValueComputed)
{
    const std::string user = freshUser();
    addCapturing(user + ":y", "2", PARAM_NUMBER);
    addCapturing(user + ":x", "y+1", PARAM_EXPRESSION);
    VarType* x = number(user + ":x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->getString(), user + ":y+1");
    EXPECT_DOUBLE_EQ(x->getValue(), 3);
    EXPECT_EQ(*x->getChildrenKeys(), std::set<std::string>{user + ":y"});
    EXPECT_EQ(number(user + ":y")->getParentVars()->count(x), 1u);
}

TEST(VarsStore, LoopsAreRefusedAndChangeNothing)
{
    const std::string user = freshUser();
    const std::string a = user + ":a", b = user + ":b", c = user + ":c";
    addCapturing(c, "1", PARAM_NUMBER);
    addCapturing(b, "c+1", PARAM_EXPRESSION);
    addCapturing(a, "b+1", PARAM_EXPRESSION);

    EXPECT_EQ(addCapturing(c, "a", PARAM_EXPRESSION), "Variable add error: Error: Loop created with expression\n");
    EXPECT_EQ(addCapturing(c, "c+1", PARAM_EXPRESSION), "Variable add error: Error: Found simple loop\n");
    VarType* cNumber = number(c);
    EXPECT_EQ(cNumber->getString(), "1");
    EXPECT_DOUBLE_EQ(cNumber->getValue(), 1);
    EXPECT_TRUE(cNumber->getChildrenKeys()->empty());
    EXPECT_DOUBLE_EQ(number(a)->getValue(), 3);
}

// Every number of a 25-level diamond counts its own evaluations in c: one
// store of the top evaluates each dependant exactly once, not once per path.
TEST(VarsStore, DeepDiamondEvaluatesEachDependantOnce)
{
    const std::string user = freshUser();
    const int depth = 25;
    addCapturing(user + ":c", "0", PARAM_NUMBER);
    addCapturing(user + ":a0", "1", PARAM_NUMBER);
    addCapturing(user + ":b0", "c := c + 1; a0 + 1", PARAM_EXPRESSION);
    for (int level = 1; level <= depth; ++level) {
        const std::string above = std::to_string(level - 1), here = std::to_string(level);
        addCapturing(user + ":a" + here, "c := c + 1; (a" + above + " + b" + above + ")/2", PARAM_EXPRESSION);
        addCapturing(user + ":b" + here, "c := c + 1; (a" + above + " + b" + above + ")/2 + 1", PARAM_EXPRESSION);
    }
    const double before = number(user + ":c")->getValue();
    EXPECT_EQ(addCapturing(user + ":a0", "3", PARAM_NUMBER), "");
    EXPECT_DOUBLE_EQ(number(user + ":c")->getValue() - before, 2 * depth + 1);
    // Values as one pass in the order of the links gives: a(n) = a(n-1) + 1/2, b(n) = a(n) + 1.
    EXPECT_DOUBLE_EQ(number(user + ":a" + std::to_string(depth))->getValue(), 3 + depth / 2.0);
    EXPECT_DOUBLE_EQ(number(user + ":b" + std::to_string(depth))->getValue(), 4 + depth / 2.0);

    // The loop check does not walk every path either.
    EXPECT_EQ(addCapturing(user + ":a0", "b" + std::to_string(depth) + " + 1", PARAM_EXPRESSION),
              "Variable add error: Error: Loop created with expression\n");
}

TEST(VarsStore, ChangedLinksChangeWhatIsEvaluated)
{
    const std::string user = freshUser();
    addCapturing(user + ":x", "1", PARAM_NUMBER);
    addCapturing(user + ":w", "100", PARAM_NUMBER);
    addCapturing(user + ":y", "x+1", PARAM_EXPRESSION);
    addCapturing(user + ":x", "2", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(user + ":y")->getValue(), 3);

    addCapturing(user + ":z", "x*2", PARAM_EXPRESSION);  // a new dependant
    addCapturing(user + ":y", "w+1", PARAM_EXPRESSION);  // no longer a dependant
    addCapturing(user + ":x", "5", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(user + ":z")->getValue(), 10);
    EXPECT_DOUBLE_EQ(number(user + ":y")->getValue(), 101);
    EXPECT_TRUE(number(user + ":x")->getParentVars()->count(number(user + ":z")));
    EXPECT_FALSE(number(user + ":x")->getParentVars()->count(number(user + ":y")));

    // A plain number drops the links of its old expression.
    addCapturing(user + ":z", "7", PARAM_NUMBER);
    EXPECT_TRUE(number(user + ":z")->getChildrenKeys()->empty());
    EXPECT_TRUE(number(user + ":x")->getParentVars()->empty());
}

}  // namespace

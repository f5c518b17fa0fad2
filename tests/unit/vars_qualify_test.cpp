// Qualification of the names inside expressions and the widened symbol
// rules, through the store: the stored text, the names linked, the value or
// the message on standard error.

#include "vars_test_support.h"

#include <cmath>

using namespace vars_test;

namespace {

// "$" in a text stands for the owner's user name, "&" for another user's.
std::string expand(std::string text, const std::string& owner, const std::string& other)
{
    std::string out;
    for (char ch : text) {
        if (ch == '$')
            out += owner;
        else if (ch == '&')
            out += other;
        else
            out += ch;
    }
    return out;
}

struct QualifyCase {
    const char* label;
    const char* text;       // stored as $:x with PARAM_EXPRESSION
    const char* qualified;  // expected text, or "" when refused
    double value;           // expected value when stored
    const char* uses;       // expected links, blank-separated
    const char* error;      // expected standard error when refused (prefix)
};

// Named in test listings by what tells the cases apart.
void PrintTo(const QualifyCase& c, std::ostream* os) { *os << c.label; }

class VarsQualify : public testing::TestWithParam<QualifyCase> {
protected:
    // $:y = 2, $:box.size = 3, $:pi = 100, $:s a string, &:y = 5.
    void SetUp() override
    {
        owner = freshUser();
        other = freshUser();
        addCapturing(owner + ":y", "2", PARAM_NUMBER);
        addCapturing(owner + ":box.size", "3", PARAM_NUMBER);
        addCapturing(owner + ":pi", "100", PARAM_NUMBER);
        addCapturing(owner + ":s", "text", PARAM_STRING);
        addCapturing(other + ":y", "5", PARAM_NUMBER);
    }
    std::string owner, other;
};

TEST_P(VarsQualify, StoredTextLinksAndValue)
{
    const QualifyCase& c = GetParam();
    // Holds an old expression, so a refusal can be seen to change nothing.
    addCapturing(owner + ":x", "7", PARAM_NUMBER);
    const std::string err = addCapturing(owner + ":x", expand(c.text, owner, other), PARAM_EXPRESSION);
    VarType* x = number(owner + ":x");
    ASSERT_NE(x, nullptr);
    if (*c.qualified == '\0') {
        EXPECT_EQ(err.rfind("Variable add error: " + expand(c.error, owner, other), 0), 0u) << err;
        EXPECT_EQ(x->getString(), "7");
        EXPECT_DOUBLE_EQ(x->getValue(), 7);
        EXPECT_TRUE(x->getChildrenKeys()->empty());
        return;
    }
    EXPECT_EQ(err, "");
    EXPECT_EQ(x->getString(), expand(c.qualified, owner, other));
    EXPECT_NEAR(x->getValue(), c.value, 1e-12);
    std::set<std::string> uses;
    std::istringstream words(expand(c.uses, owner, other));
    for (std::string word; words >> word;)
        uses.insert(word);
    EXPECT_EQ(*x->getChildrenKeys(), uses);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsQualify,
    testing::Values(
        QualifyCase{"no_names", "3*2", "3*2", 6, "", ""},
        QualifyCase{"plain", "y+1", "$:y+1", 3, "$:y", ""},
        QualifyCase{"function_and_dotted", "sin(y)*box.size", "sin($:y)*$:box.size", std::sin(2.0) * 3,
                    "$:box.size $:y", ""},
        QualifyCase{"one_argument_function", "abs(y)", "abs($:y)", 2, "$:y", ""},
        QualifyCase{"two_argument_function", "hypot(y,0)", "hypot($:y,0)", 2, "$:y", ""},
        QualifyCase{"names_in_a_function", "max(y, box.size)", "max($:y, $:box.size)", 3, "$:box.size $:y", ""},
        QualifyCase{"conditional", "if(y>1,1,2)", "if($:y>1,1,2)", 1, "$:y", ""},
        QualifyCase{"loop_condition", "while(y<0){1}; y", "while($:y<0){1}; $:y", 2, "$:y", ""},
        QualifyCase{"constant_kept", "pi*2", "pi*2", 2 * M_PI, "", ""},
        QualifyCase{"words_kept", "true+y and 1", "true+$:y and 1", 1, "$:y", ""},
        QualifyCase{"repeated_name", "y+y", "$:y+$:y", 4, "$:y", ""},
        QualifyCase{"implicit_product", "2y", "2$:y", 4, "$:y", ""},
        QualifyCase{"other_user", "&:y+y", "&:y+$:y", 7, "&:y $:y", ""},
        QualifyCase{"bare_and_full_spellings", "y+$:y*y+box.size", "$:y+$:y*$:y+$:box.size", 9, "$:box.size $:y",
                    ""},
        QualifyCase{"local_name_and_bare", "var t := y * 5; t + y", "var t := $:y * 5; t + $:y", 12, "$:y", ""},
        QualifyCase{"absent_after_found", "y+box.size+z", "", 0, "", "Var does not exist: $:z"},
        QualifyCase{"loop_after_found", "y*2+x", "", 0, "", "Error: Found simple loop"},
        QualifyCase{"error_after_found", "y+box.size+", "", 0, "", "ERR208 - Premature end of expression"},
        QualifyCase{"empty", "", "", 0, "", "Expression empty"},
        QualifyCase{"blanks_only", "   ", "", 0, "", "ERR002 - Empty expression!"},
        QualifyCase{"simple_loop", "x+1", "", 0, "", "Error: Found simple loop"},
        QualifyCase{"absent", "z*2", "", 0, "", "Var does not exist: $:z"},
        QualifyCase{"absent_other_user", "&:q", "", 0, "", "Var does not exist: &:q"},
        QualifyCase{"unreadable_character", "y+@", "", 0, "", "ERR004 - General token error"},
        QualifyCase{"incomplete", "y+", "", 0, "", "ERR208 - Premature end of expression"},
        QualifyCase{"a_string", "s+1", "", 0, "", "ERR201 - Undefined symbol: '$:s'"}),
    [](const testing::TestParamInfo<QualifyCase>& info) { return std::string(info.param.label); });

// The lexer and the symbol table take '.' and ':' after a name's first letter.
struct SymbolCase {
    const char* label;
    const char* name;   // a number stored under $:<name> with value 4, or "" for none
    const char* text;   // stored as $:x with PARAM_EXPRESSION
    const char* error;  // "" when it compiles to the value
    double value;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const SymbolCase& c, std::ostream* os) { *os << c.label; }

class VarsSymbolRules : public testing::TestWithParam<SymbolCase> {};

TEST_P(VarsSymbolRules, NamesWithDotsAndColons)
{
    const SymbolCase& c = GetParam();
    const std::string user = freshUser();
    addCapturing(user + ":a", "10", PARAM_NUMBER);
    addCapturing(user + ":b", "3", PARAM_NUMBER);
    if (*c.name != '\0')
        addCapturing(user + ":" + c.name, "4", PARAM_NUMBER);
    const std::string err = addCapturing(user + ":x", expand(c.text, user, ""), PARAM_EXPRESSION);
    if (*c.error != '\0') {
        EXPECT_EQ(err.rfind(std::string("Variable add error: ") + c.error, 0), 0u) << err;
        return;
    }
    EXPECT_EQ(err, "");
    ASSERT_NE(number(user + ":x"), nullptr);
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsSymbolRules,
    testing::Values(SymbolCase{"parameter_name", "box.size", "$:box.size * 2", "", 8},
                    SymbolCase{"clock_name", "Main.time", "Main.time+1", "", 5},
                    SymbolCase{"digits_after_a_dot", "x1.5", "x1.5", "", 4},
                    SymbolCase{"number_stays_a_number", "", "1.5", "", 1.5},
                    SymbolCase{"ends_with_dot", "a.", "a.+1", "", 5},
                    SymbolCase{"ends_with_colon", "a:", "$:a:+1", "", 5},
                    // The ':' of ":=" belongs to the name before it.
                    SymbolCase{"colon_equals", "", "a:=1", "Var does not exist: a:", 0},
                    SymbolCase{"minus_ends_a_name", "", "$:a-b", "", 7},
                    SymbolCase{"leading_underscore", "", "_a", "ERR004 - General token error", 0},
                    SymbolCase{"leading_dot", "", ".a", "ERR006 - Invalid numeric token", 0}),
    [](const testing::TestParamInfo<SymbolCase>& info) { return std::string(info.param.label); });

TEST(VarsSymbolRules, NamesOutsideTheRulesAreStoredButCannotBeNamed)
{
    const std::string user = freshUser();
    for (const std::string& name : {user + ":a,b", "0" + user + ":x"}) {
        EXPECT_EQ(addCapturing(name, "6*7", PARAM_NUMBER), "");
        ASSERT_NE(number(name), nullptr);
        EXPECT_DOUBLE_EQ(number(name)->getValue(), 42);
    }
    EXPECT_NE(addCapturing(user + ":y", "0" + user + ":x", PARAM_NUMBER), "");
}

// An owner whose name cannot stand before a name ("a,b:y" reads as more than
// one name) cannot have its bare names qualified: the first is refused at
// once, whatever the text's length, where qualifying the prefix's own names
// in turn would grow the text pass after pass.
TEST(VarsQualifyOwners, BareNamesOfOwnersThatCannotPrefixANameAreRefusedAtOnce)
{
    const std::string user = freshUser();
    std::string manyNames = "y";
    for (int i = 0; i < 400; ++i)
        manyNames += "+y";
    struct {
        std::string owner, text, error;
    } cases[] = {
        {user + ",&&" + user, "y+1", "ERR201 - Undefined symbol: 'y'"},
        {user + "/0", "2*y", "ERR201 - Undefined symbol: 'y'"},
        {"0" + user, "y", "ERR201 - Undefined symbol: 'y'"},
        {std::string(2000, '&') + user, manyNames, "ERR201 - Undefined symbol: 'y'"},
        {"e" + user, "2*y+" + std::string(2000, '('), "ERR"},
    };
    for (const auto& c : cases) {
        const std::string err = addCapturing(c.owner + ":x", c.text, PARAM_EXPRESSION);
        EXPECT_EQ(err.rfind("Variable add error: " + c.error, 0), 0u) << c.owner << ": " << err;
        EXPECT_EQ(number(c.owner + ":x"), nullptr) << c.owner;
    }
}

// Owners whose names start with an 'e' (which a number before them would
// read as its exponent) or hold a point: every bare name is qualified, and
// a long text with a long owner's name is qualified, or refused, at once.
TEST(VarsQualifyOwners, OwnersOfEveryKindQualifyEveryName)
{
    const std::string user = freshUser();
    std::string manyNames = "y";
    for (int i = 0; i < 400; ++i)
        manyNames += "+y";
    const std::string longName = std::string(3000, 'a') + user;
    struct {
        std::string owner, text, error;
        double value;
        std::string qualified = "";  // when not each y made the owner's
    } cases[] = {
        {"e" + user, "y+y*3", "", 8},
        {"E" + freshUser(), "(y)-1", "", 1},
        {"e" + longName, manyNames, "", 802},
        {"a.b" + user, "y+y*3", "", 8},
        // After a number the owner's name would read as its exponent.
        {"e2" + user, "2y+1.y", "", 6, "2 e2" + user + ":y+1. e2" + user + ":y"},
        {"e3" + user + ".a", "2y", "", 4, "2 e3" + user + ".a:y"},
        // A long owner's name before each of many names would be read again
        // on every pass: the passes give up once they have read a bounded
        // amount.
        {"a." + longName, manyNames, "ERR201 - Undefined symbol: ", 0},
    };
    for (const auto& c : cases) {
        addCapturing(c.owner + ":y", "2", PARAM_NUMBER);
        const std::string err = addCapturing(c.owner + ":x", c.text, PARAM_EXPRESSION);
        VarType* x = number(c.owner + ":x");
        if (!c.error.empty()) {
            EXPECT_EQ(err.rfind("Variable add error: " + c.error, 0), 0u) << c.owner << ": " << err;
            EXPECT_EQ(x, nullptr);
            continue;
        }
        EXPECT_EQ(err, "") << c.owner;
        ASSERT_NE(x, nullptr) << c.owner;
        std::string qualified = c.qualified;
        if (qualified.empty())
            for (char ch : c.text)
                qualified += ch == 'y' ? c.owner + ":y" : std::string(1, ch);
        EXPECT_EQ(x->getString(), qualified);
        EXPECT_DOUBLE_EQ(x->getValue(), c.value) << c.owner;
        EXPECT_EQ(*x->getChildrenKeys(), std::set<std::string>{c.owner + ":y"});
    }
}

TEST(VarsSymbolRules, NamesDifferingInCaseReadAndLinkTheFirstBound)
{
    const std::string user = freshUser();
    const std::string lower = user + ":n", upper = user + ":N";
    addCapturing(lower, "1", PARAM_NUMBER);
    addCapturing(upper, "50", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(upper)->getValue(), 50);

    // N reads n's value, so a change of n must reach it.
    EXPECT_EQ(addCapturing(user + ":x", "N+1", PARAM_EXPRESSION), "");
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 2);
    addCapturing(lower, "5", PARAM_NUMBER);
    EXPECT_DOUBLE_EQ(number(user + ":x")->getValue(), 6);

    // And n may not then be made to read x.
    EXPECT_EQ(addCapturing(lower, "x", PARAM_EXPRESSION), "Variable add error: Error: Loop created with expression\n");
}

}  // namespace

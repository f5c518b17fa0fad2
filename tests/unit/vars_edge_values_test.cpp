// Expressions at the edges of the number line: NaN, the infinities and
// numbers beyond every integer type give the mathematically right result
// where there is one, and the expression's error where there is none;
// nothing an expression does reads or writes outside its vectors.

#include "vars_test_support.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace vars_test;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct EdgeCase {
    const char* label;
    const char* text;
    double value;  // what the number holds afterwards
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.label; }

class VarsEdgeValue : public testing::TestWithParam<EdgeCase> {};

TEST_P(VarsEdgeValue, StoredAsComputed)
{
    const EdgeCase& c = GetParam();
    const std::string name = freshUser() + ":x";
    EXPECT_EQ(addCapturing(name, c.text, PARAM_NUMBER), "");
    ASSERT_NE(number(name), nullptr);
    const double value = number(name)->getValue();
    if (std::isnan(c.value))
        EXPECT_TRUE(std::isnan(value)) << value;
    else
        EXPECT_EQ(value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsEdgeValue,
    testing::Values(
        EdgeCase{"trunc_huge", "trunc(1e30)", 1e30}, EdgeCase{"trunc_negative_huge", "trunc(-1e300)", -1e300},
        EdgeCase{"trunc_nan", "trunc(0/0)", nan}, EdgeCase{"trunc_inf", "trunc(1/0)", inf},
        EdgeCase{"trunc_minus_inf", "trunc(-1/0)", -inf}, EdgeCase{"trunc_ordinary", "trunc(-2.75)", -2},
        EdgeCase{"trunc_beyond_int64", "trunc(2^70 + 0.5)", 1180591620717411303424.0},
        EdgeCase{"frac_huge", "frac(1e30)", 0}, EdgeCase{"frac_nan", "frac(0/0)", nan},
        EdgeCase{"frac_inf", "frac(1/0)", nan}, EdgeCase{"frac_minus_inf", "frac(-1/0)", nan},
        EdgeCase{"frac_ordinary", "frac(-2.75)", -0.75},
        EdgeCase{"roundn_ordinary", "roundn(1.23456, 2)", 1.23},
        EdgeCase{"roundn_digits_huge", "roundn(0.5, 1e30)", 0.5},
        EdgeCase{"roundn_digits_minus_huge", "roundn(2.5, -1e30)", 3},
        EdgeCase{"roundn_digits_inf", "roundn(0.5, 1/0)", 0.5},
        EdgeCase{"roundn_digits_nan", "roundn(2.5, 0/0)", nan},
        EdgeCase{"root_ordinary", "root(16, 4.9)", 2}, EdgeCase{"root_degree_huge", "root(8, 1e30)", 1},
        EdgeCase{"root_degree_nan", "root(8, 0/0)", nan}, EdgeCase{"root_degree_inf", "root(8, 1/0)", nan},
        EdgeCase{"root_even_of_negative", "root(-8, 2)", nan},
        EdgeCase{"root_even_huge_of_negative", "root(-8, 1e30)", nan},
        EdgeCase{"shl_ordinary", "shl(3, 2.5)", 12}, EdgeCase{"shl_huge", "shl(1, 1e30)", inf},
        EdgeCase{"shl_nan", "shl(1, 0/0)", nan}, EdgeCase{"shr_huge", "shr(1, 1e30)", 0},
        EdgeCase{"shr_minus_huge", "shr(1, -1e30)", inf},
        EdgeCase{"modulo_huge", "1e30 % 7", std::fmod(1e30, 7)}, EdgeCase{"modulo_nan", "(0/0) % 7", nan},
        EdgeCase{"modulo_by_inf", "5 % (1/0)", 5},
        EdgeCase{"vector_index_truncated", "var v[3] := {1, 2, 3}; var i := 2.9; v[i]", 3},
        EdgeCase{"vector_index_just_below_zero", "var v[3] := {1, 2, 3}; var i := -0.5; v[i]", 1},
        EdgeCase{"loop_bound_huge", "var n := 0; for (var i := 0; i < 2^100; i += 2^96) { n += 1 }; n", 16},
        EdgeCase{"repeat_huge_steps", "var n := 1e300; repeat n *= 1e10; until (n == 1/0); n", inf},
        // NaN is not 0, so it is true, in a case as everywhere else.
        EdgeCase{"switch_on_nan", "switch { case trunc(0/0) : 1; default : 2; }", 1},
        EdgeCase{"switch_on_huge", "switch { case frac(1e30) : 1; default : 2; }", 2}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.label); });

struct EdgeErrorCase {
    const char* label;
    const char* text;
    const char* error;  // the start of the report
};

void PrintTo(const EdgeErrorCase& c, std::ostream* os) { *os << c.label; }

class VarsEdgeError : public testing::TestWithParam<EdgeErrorCase> {};

// An index that names no element is the expression's error: a constant one
// while compiling, another while evaluating; the number keeps its value.
TEST_P(VarsEdgeError, ReportedAndValueKept)
{
    const EdgeErrorCase& c = GetParam();
    const std::string name = freshUser() + ":x";
    addCapturing(name, "7", PARAM_NUMBER);
    const std::string err = addCapturing(name, c.text, PARAM_NUMBER);
    EXPECT_EQ(err.rfind(std::string("Variable add error: ") + c.error, 0), 0u) << err;
    EXPECT_EQ(number(name)->getValue(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsEdgeError,
    testing::Values(
        EdgeErrorCase{"constant_index_huge", "var v[3]; v[1e30]", "ERR116 - Index of"},
        EdgeErrorCase{"constant_index_nan", "var v[3]; v[0/0]", "ERR116 - Index of"},
        EdgeErrorCase{"constant_index_minus_inf", "var v[3]; v[-1/0]", "ERR116 - Index of"},
        EdgeErrorCase{"vector_size_minus_huge", "var v[-1e30]; 1", "ERR150 - Invalid vector size"},
        EdgeErrorCase{"index_huge", "var v[3]; var i := 1e30; v[i]", "Error: Vector index out of range in "},
        EdgeErrorCase{"index_nan", "var v[3]; var i := 0/0; v[i]", "Error: Vector index out of range in "},
        EdgeErrorCase{"index_minus_one", "var v[3]; var i := -1; v[i]", "Error: Vector index out of range in "},
        EdgeErrorCase{"index_size", "var v[3]; var i := 3; v[i]", "Error: Vector index out of range in "},
        EdgeErrorCase{"write_past_end", "var v[3]; var i := 3; v[i] := 1; 1", "Error: Vector index out of range in "},
        EdgeErrorCase{"write_in_loop", "var v[3]; for (var i := 0; i < 5; i += 1) { v[i] := i }; 1",
                      "Error: Vector index out of range in "},
        EdgeErrorCase{"swap_past_end", "var v[3]; var i := 7; v[0] <=> v[i]; 1",
                      "Error: Vector index out of range in "}),
    [](const testing::TestParamInfo<EdgeErrorCase>& info) { return std::string(info.param.label); });

// A numeral is stored without compiling it: it must hold exactly what the
// same number inside an expression gives, sign of zero included.
TEST(VarsNumeral, HoldsWhatAnExpressionReads)
{
    const std::string user = freshUser();
    for (const char* numeral : {"0", "-0", "0.1", "-2.5", "0.30000000000000004", "123456789.123456789",
                                "99999999999999999999", "0000.0001", "4503599627370497.5"}) {
        const std::string plain = user + ":plain", wrapped = user + ":wrapped";
        for (ParamType kind : {PARAM_NUMBER, PARAM_EXPRESSION}) {
            EXPECT_EQ(addCapturing(plain, numeral, kind), "");
            EXPECT_EQ(addCapturing(wrapped, std::string("(") + numeral + ")", kind), "");
            const double read = number(plain)->getValue(), compiled = number(wrapped)->getValue();
            EXPECT_EQ(std::memcmp(&read, &compiled, sizeof read), 0) << numeral << ": " << read << " " << compiled;
            EXPECT_EQ(number(plain)->getString(), numeral);
        }
    }
}

// A number that held an expression and is given a numeral drops the
// expression: a later change of what the expression used changes nothing.
TEST(VarsNumeral, ReplacesAnExpression)
{
    const std::string user = freshUser();
    const std::string x = user + ":x", y = user + ":y";
    addCapturing(y, "2", PARAM_NUMBER);
    addCapturing(x, "y*10", PARAM_EXPRESSION);
    EXPECT_EQ(number(x)->getValue(), 20);
    addCapturing(x, "5", PARAM_EXPRESSION);
    addCapturing(y, "3", PARAM_NUMBER);
    EXPECT_EQ(number(x)->getValue(), 5);
    EXPECT_EQ(number(x)->getString(), "5");
}

}  // namespace

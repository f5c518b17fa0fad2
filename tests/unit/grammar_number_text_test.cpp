// Numbers become text the way an output stream writes a double by default.

#include "NumberText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

TEST(GrammarNumberText, GeneralFormatWithSixDigits)
{
    const std::vector<std::pair<double, std::string>> cases = {
        {0.0, "0"},
        {5.0, "5"},
        {2.5, "2.5"},
        {-3.0, "-3"},
        {1.0 / 30.0, "0.0333333"},
        {12.3456789, "12.3457"},
        {1234.5678, "1234.57"},
        {1236.5678, "1236.57"},
        {10000.02, "10000"},
        {999999.5, "1e+06"},
        {1234567.0, "1.23457e+06"},
        {2500000.0, "2.5e+06"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {-1.5e-300, "-1.5e-300"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatNumber(c.first), c.second) << c.second;
    }
}

}  // namespace

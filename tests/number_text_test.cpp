#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "status_text.h"

namespace {

struct NumberCase {
    double value;
    const char* shown;
};

std::ostream& operator<<(std::ostream& out, const NumberCase& c) { return out << c.value << " -> " << c.shown; }

class NumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, TakesDownToHundredthsAndWritesSixDigits)
{
    EXPECT_EQ(shownNumberText(GetParam().value), GetParam().shown);
}

constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, NumberText,
    testing::Values(NumberCase{3.14159, "3.14"}, NumberCase{2, "2"}, NumberCase{0.5, "0.5"},
                    NumberCase{1.999, "1.99"},    // down, not to nearest
                    NumberCase{-1.234, "-1.24"},  // towards minus infinity
                    NumberCase{0.004, "0"}, NumberCase{-0.004, "-0.01"},
                    NumberCase{1.15, "1.14"},  // 1.15 * 100 falls just below 115
                    NumberCase{0.29, "0.28"},
                    NumberCase{12345.678, "12345.7"},  // six digits leave one decimal
                    NumberCase{1234567.891, "1.23457e+06"}, NumberCase{-2500000, "-2.5e+06"},
                    NumberCase{std::numeric_limits<double>::quiet_NaN(), "nan"}, NumberCase{infinity, "inf"},
                    NumberCase{-infinity, "-inf"},
                    // Too large to multiply by 100 without overflowing: shown as it is.
                    NumberCase{1e307, "1e+307"}, NumberCase{-1.5e308, "-1.5e+308"}));

}  // namespace

#include "analysis/report_format.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct FormatCase {
    double value;
    const char* whole;
    const char* fourDecimals;
    const char* fiveChars;
    const char* degrees;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value;
}

class ReportNumbers : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReportNumbers, CutRatherThanRound) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatWhole(c.value), c.whole);
    EXPECT_EQ(formatFourDecimals(c.value), c.fourDecimals);
    EXPECT_EQ(formatFiveChars(c.value), c.fiveChars);
    EXPECT_EQ(formatDegrees(c.value), c.degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReportNumbers,
    ::testing::Values(
        // No fractional part: no point and no zeros in the 4-dec format.
        FormatCase{12, "12", "12", "12", "12"}, FormatCase{0, "0", "0", "0", "0"},
        // Zeros fill up to four decimals; more digits are cut, not rounded.
        FormatCase{0.5, "0", "0.5000", "0.5", "0"}, FormatCase{1.5, "2", "1.5000", "1.5", "1"},
        FormatCase{2.5, "2", "2.5000", "2.5", "2"},
        FormatCase{2.99999, "3", "2.9999", "2.999", "2"},
        FormatCase{10.04987562, "10", "10.0498", "10.04", "10"},
        FormatCase{359.99, "360", "359.9900", "359.9", "359"},
        FormatCase{-0.00012, "0", "-0.0001", "-0.00", "-0"},
        FormatCase{0.0001, "0", "0.0001", "0.000", "0"},
        FormatCase{-3.5, "-4", "-3.5000", "-3.5", "-3"},
        FormatCase{123456.789, "123457", "123456.7890", "12345", "123456"},
        // Too small for four decimals: 0, not the digits of an exponent form.
        FormatCase{0.00001, "0", "0", "0", "0"},
        FormatCase{-7.105427357601e-15, "0", "0", "0", "0"},
        FormatCase{100, "100", "100", "100", "100"}, FormatCase{180, "180", "180", "180", "180"}));

TEST(ReportNumbers, SignOnlyAboveZero) {
    EXPECT_EQ(withSign(3, formatWhole(3)), "+3");
    EXPECT_EQ(withSign(0, formatWhole(0)), "0");
    EXPECT_EQ(withSign(-2, formatWhole(-2)), "-2");
    EXPECT_EQ(withSign(0.25, formatFourDecimals(0.25)), "+0.2500");
    // A value rounding to 0 keeps the sign it had.
    EXPECT_EQ(withSign(0.4, formatWhole(0.4)), "+0");
}

TEST(ReportNumbers, CommasInNamesBecomeFullWidth) {
    EXPECT_EQ(reportField("Sun, Moon,"), "Sun\xEF\xBC\x8C Moon\xEF\xBC\x8C");
    EXPECT_EQ(reportField("\xE9\xA2\xA8\xE7\xA5\x9E"), "\xE9\xA2\xA8\xE7\xA5\x9E");
}

}  // namespace
}  // namespace korvane

#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>

namespace korvane {
namespace {

class RoundHalfEven : public ::testing::TestWithParam<std::tuple<double, double>> {};

TEST_P(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const auto [in, expected] = GetParam();
    EXPECT_EQ(roundHalfEven(in), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEven,
                         ::testing::Values(std::make_tuple(0.5, 0.0), std::make_tuple(1.5, 2.0),
                                           std::make_tuple(2.5, 2.0), std::make_tuple(97.5, 98.0),
                                           std::make_tuple(-0.5, -0.0), std::make_tuple(-1.5, -2.0),
                                           std::make_tuple(2.5000001, 3.0),
                                           std::make_tuple(4.49, 4.0)));

TEST(ParseNumbers, IntegersAreStrict) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("-7"), -7);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_FALSE(parseInteger("1.5"));
    EXPECT_FALSE(parseInteger("12a"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("--1"));
    EXPECT_FALSE(parseInt32("3000000000"));
}

TEST(ParseNumbers, DoublesUseThePointWhateverTheLocale) {
    EXPECT_DOUBLE_EQ(*parseDouble("2106.5"), 2106.5);
    EXPECT_DOUBLE_EQ(*parseDouble("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(*parseDouble("1e3"), 1000.0);
    EXPECT_FALSE(parseDouble("1,5"));
    EXPECT_FALSE(parseDouble("abc"));
    EXPECT_FALSE(parseDouble("nan"));
    EXPECT_FALSE(parseDouble("1.5 "));
}

class FormatNumber : public ::testing::TestWithParam<std::tuple<double, const char*>> {};

TEST_P(FormatNumber, ShortestGeneralText) {
    const auto [in, expected] = GetParam();
    EXPECT_EQ(formatNumber(in), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumber,
    ::testing::Values(std::make_tuple(0.0, "0"), std::make_tuple(12.0, "12"),
                      std::make_tuple(-3.25, "-3.25"), std::make_tuple(0.1, "0.1"),
                      std::make_tuple(1.0 / 3.0, "0.333333333333333"),
                      std::make_tuple(2106.5, "2106.5"), std::make_tuple(1e-5, "1E-5"),
                      std::make_tuple(123456789012345678.0, "1.23456789012346E17"),
                      std::make_tuple(0.1 + 0.2, "0.3"), std::make_tuple(10.0, "10"),
                      std::make_tuple(-200.0, "-200"), std::make_tuple(0.0001, "0.0001"),
                      std::make_tuple(0.00012, "0.00012"),
                      std::make_tuple(1.5e14, "150000000000000"), std::make_tuple(1e15, "1E15"),
                      std::make_tuple(9.9999999999999995, "10"),
                      std::make_tuple(-2118.0 / 60, "-35.3"),
                      // Exact ties at the 16th digit go to the even neighbour.
                      std::make_tuple(123456789012345.5, "123456789012346"),
                      std::make_tuple(123456789012344.5, "123456789012344")));

// The same text from printf's correctly rounded digits: 15 significant,
// trailing zeros dropped, written out from 1E-4 to below 1E15.
std::string printfReference(double value) {
    char sci[40];
    std::snprintf(sci, sizeof sci, "%.14E", value);
    const bool negative = sci[0] == '-';
    const char* mantissa = sci + (negative ? 1 : 0);
    std::string digits{mantissa[0]};
    digits.append(mantissa + 2, 14);
    const int exponent = std::atoi(std::strchr(sci, 'E') + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string text = negative ? "-" : "";
    if (exponent < 0) {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
        text += digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        const auto point = static_cast<std::size_t>(exponent) + 1;
        text += digits.substr(0, point) + "." + digits.substr(point);
    }
    return text;
}

// Random magnitudes over the written-out range, and decimal halves at the
// 16th digit (where a rounded product could round the wrong way).
TEST(FormatNumber, AgreesWithCorrectlyRoundedDigits) {
    std::mt19937_64 random(20250621);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> decade(-4, 14);
    std::uniform_int_distribution<long long> sixteen(1'000'000'000'000'000, 9'999'999'999'999'999);
    for (int i = 0; i < 200'000; ++i) {
        const double power = std::pow(10.0, decade(random));
        double value = mantissa(random) * power;
        if (i % 2 == 1) value = static_cast<double>(sixteen(random) / 10 * 10 + 5) * power / 1e15;
        if (i % 3 == 0) value = -value;
        if (!(std::fabs(value) >= 1e-4 && std::fabs(value) < 1e15)) continue;
        ASSERT_EQ(formatNumber(value), printfReference(value)) << std::hexfloat << value;
        std::string appended = "x";
        appendNumber(appended, value);
        ASSERT_EQ(appended, "x" + printfReference(value));
    }
}

}  // namespace
}  // namespace korvane

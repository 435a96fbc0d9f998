#include "base/numbers.h"

#include <gtest/gtest.h>

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
                      std::make_tuple(-2118.0 / 60, "-35.3")));

}  // namespace
}  // namespace korvane

#include "tracks/coordinate_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace korvane {
namespace {

struct CoordinateCase {
    const char* text;
    CoordinateFormat format;
    std::optional<double> minutes;
};

class CoordinateTextTest : public testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateTextTest, ReadsMinutesOfArc) {
    const CoordinateCase& c = GetParam();
    const auto v = parseCoordinateText(c.text, c.format);
    ASSERT_EQ(v.has_value(), c.minutes.has_value()) << c.text;
    if (c.minutes) {
        EXPECT_NEAR(*v, *c.minutes, 1e-9) << c.text;
    }
}

constexpr auto D = CoordinateFormat::Degrees;
constexpr auto DM = CoordinateFormat::DegreesMinutes;
constexpr auto DMS = CoordinateFormat::DegreesMinutesSeconds;

INSTANTIATE_TEST_SUITE_P(
    Forms, CoordinateTextTest,
    testing::Values(
        CoordinateCase{"N3512.345", DM, 2112.345}, CoordinateCase{"S3512.345", DM, -2112.345},
        CoordinateCase{"E13945.678", DM, 8385.678}, CoordinateCase{"W13945.678", DM, -8385.678},
        CoordinateCase{"N351220.5", DMS, 2112.0 + 20.5 / 60}, CoordinateCase{"W35.5", D, -2130},
        CoordinateCase{"E139", D, 8340},
        // Only upper-case S and W turn the sign; any first character is the
        // hemisphere, even a digit.
        CoordinateCase{"s3512.345", DM, 2112.345}, CoordinateCase{"03512.345", DM, 2112.345},
        // Under one degree: the degrees may be absent.
        CoordinateCase{"N12.5", DM, 12.5}, CoordinateCase{"N1220.5", DMS, 12 + 20.5 / 60},
        // Without a decimal point the minutes cannot be found: no value.
        CoordinateCase{"N3512", DM, std::nullopt}, CoordinateCase{"N351220", DMS, std::nullopt},
        CoordinateCase{"N2.5", DM, std::nullopt}, CoordinateCase{"N220.5", DMS, std::nullopt},
        CoordinateCase{"N35x2.345", DM, std::nullopt}, CoordinateCase{"N3512.3a", DM, std::nullopt},
        CoordinateCase{"", DM, std::nullopt}, CoordinateCase{"N", D, std::nullopt},
        CoordinateCase{"Nabc", D, std::nullopt}));

}  // namespace
}  // namespace korvane

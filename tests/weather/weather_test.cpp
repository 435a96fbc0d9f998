// The weather areas, the nearest-area look-up and the two kinds of address.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "weather/weather_address.h"
#include "weather/weather_areas.h"

namespace korvane {
namespace {

TEST(WeatherAreas, EveryRowParsesAndNamesItsOwnPage) {
    EXPECT_EQ(weatherAreaRows().size(), 117u);
    EXPECT_EQ(weatherAreas().size(), weatherAreaRows().size());
    std::set<std::pair<std::string, std::string>> pages;
    for (const WeatherArea& a : weatherAreas()) {
        EXPECT_TRUE(pages.insert({a.areaCode, a.subAreaCode}).second) << a.area;
        // An area's own position finds that area.
        const auto found = nearestWeatherArea(a.latDegrees * 60.0, a.lonDegrees * 60.0);
        ASSERT_TRUE(found) << a.area;
        EXPECT_EQ(found->subAreaCode, a.subAreaCode) << a.area;
    }
}

TEST(WeatherAreas, BadRowsAreRefused) {
    for (const char* row : {"a,b,1,100,35.0", "a,b,1,100,35.0,139.0,x", "a,b,1,100,north,139.0",
                            "a,b,1,100,35.0,139.0e", "a,b,,100,35.0,139.0", "a,b,1,100,35.0,nan"})
        EXPECT_FALSE(parseWeatherArea(row)) << row;
    const auto ok = parseWeatherArea("r,a,1a,1100,45.5,141.75");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->areaCode, "1a");
    EXPECT_FLOAT_EQ(ok->lonDegrees, 141.75f);
}

TEST(NearestArea, KnownWaters) {
    struct Case {
        const char* where;
        double latDegrees, lonDegrees;
        const char* subAreaCode;  // "" for none
    };
    const Case cases[] = {
        {"off Enoshima", 35.30, 139.48, "4610"},  // Yokohama, not Tokyo or Oshima
        {"off Kobe", 34.60, 135.30, "6310"},      // Kobe, nearer than Osaka
        {"Naha harbour", 26.22, 127.67, "9110"},  //
        {"Soya strait", 45.60, 141.90, "1100"},   //
        {"off Cape Town", -34.0, 18.4, ""},       // beyond 100 degrees of every area
        {"mid Pacific", 0.0, -170.0, ""},
    };
    for (const Case& c : cases) {
        const auto found = nearestWeatherArea(c.latDegrees * 60, c.lonDegrees * 60);
        if (*c.subAreaCode == '\0')
            EXPECT_FALSE(found) << c.where;
        else
            EXPECT_EQ(found ? found->subAreaCode : "none", c.subAreaCode) << c.where;
    }
}

TEST(NearestArea, AnExactTieKeepsTheEarlierRow) {
    // East and west of the point by the same half degree.
    const WeatherArea west{"r", "west", "1", "100", 35.0f, 139.5f};
    const WeatherArea east{"r", "east", "2", "200", 35.0f, 140.5f};
    const std::vector<WeatherArea> westFirst{west, east}, eastFirst{east, west};
    EXPECT_EQ(nearestWeatherArea(35 * 60, 140 * 60, westFirst)->area, "west");
    EXPECT_EQ(nearestWeatherArea(35 * 60, 140 * 60, eastFirst)->area, "east");
}

const WeatherArea kYokohama{"神奈川県", "横浜", "14", "4610", 35.444169f, 139.637647f};

Timestamp at(int y, int mo, int d, int h = 14) {
    return *toTimestamp({y, mo, d, h, 0, 0, 0});
}

struct AddressCase {
    const char* what;
    Timestamp moment;
    double ageDays;
    const WeatherArea* area;
    const char* base;
    const char* tail;  // after the base address
};

class WeatherAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(WeatherAddress, PageOrChartByAge) {
    const AddressCase& c = GetParam();
    const std::string address = weatherAddress(c.moment, c.moment + c.ageDays, c.area);
    EXPECT_EQ(address, std::string(c.base) + c.tail) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Days, WeatherAddress,
    ::testing::Values(AddressCase{"729 days", at(2012, 7, 17), 729.0, &kYokohama, kPastWeatherBase,
                                  "14/4610/detail.html?c=2012&m=7&d=17"},
                      AddressCase{"just short of 730", at(2012, 7, 17), 729.999, &kYokohama,
                                  kPastWeatherBase, "14/4610/detail.html?c=2012&m=7&d=17"},
                      AddressCase{"730 days", at(2012, 7, 17), 730.0, &kYokohama, kDailyChartBase,
                                  "2012/1207.pdf"},
                      AddressCase{"years on", at(2012, 7, 17), 4000.0, &kYokohama, kDailyChartBase,
                                  "2012/1207.pdf"},
                      AddressCase{"two-digit month and day", at(2023, 10, 31), 3.0, &kYokohama,
                                  kPastWeatherBase, "14/4610/detail.html?c=2023&m=10&d=31"},
                      AddressCase{"day ten keeps its zero", at(2023, 12, 10), 3.0, &kYokohama,
                                  kPastWeatherBase, "14/4610/detail.html?c=2023&m=12&d=10"},
                      AddressCase{"first of January", at(2024, 1, 1, 0), 0.0, &kYokohama,
                                  kPastWeatherBase, "14/4610/detail.html?c=2024&m=1&d=1"},
                      AddressCase{"January chart keeps two digits", at(2009, 1, 5), 800.0,
                                  &kYokohama, kDailyChartBase, "2009/0901.pdf"},
                      // A race still to come has no past weather: the forecast.
                      AddressCase{"days ahead of the clock", at(2024, 5, 12), -2.5, &kYokohama,
                                  kForecastBase, "14/4610.html"},
                      AddressCase{"later today", at(2024, 5, 12), -0.25, &kYokohama,
                                  kPastWeatherBase, "14/4610/detail.html?c=2024&m=5&d=12"},
                      AddressCase{"tomorrow, far from every area", at(2024, 5, 12), -1.0, nullptr,
                                  kCurrentChartPage, ""},
                      AddressCase{"no area near", at(2024, 5, 12), 1.0, nullptr, kDailyChartBase,
                                  "2024/2405.pdf"}));

TEST(WeatherAddress, TheReplayedMomentIsTheStartPlusWholeSeconds) {
    const Timestamp start = at(2024, 5, 12, 23);
    // Two hours past an evening start is the next day's weather.
    EXPECT_NE(weatherAddress(replayMoment(start, 7200.4), start + 2, &kYokohama).find("m=5&d=13"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(replayMoment(start, 90.4), start + 90.0 / 86400);
    EXPECT_DOUBLE_EQ(replayMoment(start, -90.6), start - 91.0 / 86400);
}

}  // namespace
}  // namespace korvane

// The weather areas of Japan whose past weather and charts the window can
// open: one text row per area, kept as data, and the nearest-area look-up.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct WeatherArea {
    std::string region;
    std::string area;
    std::string areaCode;     // first path segment on the past-weather service
    std::string subAreaCode;  // second path segment
    float latDegrees = 0;
    float lonDegrees = 0;
};

// The rows as stored: "region,area,areaCode,subAreaCode,lat,lon".
std::span<const char* const> weatherAreaRows();

// nullopt unless the row has six fields and both numbers convert.
std::optional<WeatherArea> parseWeatherArea(std::string_view row);

// Every stored row, parsed once.
const std::vector<WeatherArea>& weatherAreas();

// The area nearest to the point, on a flat earth in degrees with longitude
// shrunk by the cosine of the point's latitude, in single precision. Among
// areas at equal distance the earlier wins. Nothing when no area lies within
// 100 degrees (a race far from Japan): its past weather is not on offer.
std::optional<WeatherArea> nearestWeatherArea(double latMinutes, double lonMinutes,
                                              std::span<const WeatherArea> areas = weatherAreas());

}  // namespace korvane

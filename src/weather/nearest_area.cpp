#include <charconv>
#include <cmath>

#include "weather/weather_areas.h"

namespace korvane {

namespace {

std::optional<float> toFloat(std::string_view text) {
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<WeatherArea> parseWeatherArea(std::string_view row) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (true) {
        const std::size_t comma = row.find(',', pos);
        fields.push_back(row.substr(pos, comma - pos));
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    if (fields.size() != 6) return std::nullopt;
    const auto lat = toFloat(fields[4]);
    const auto lon = toFloat(fields[5]);
    if (!lat || !lon || fields[2].empty() || fields[3].empty()) return std::nullopt;
    return WeatherArea{std::string(fields[0]),
                       std::string(fields[1]),
                       std::string(fields[2]),
                       std::string(fields[3]),
                       *lat,
                       *lon};
}

const std::vector<WeatherArea>& weatherAreas() {
    static const std::vector<WeatherArea> areas = [] {
        std::vector<WeatherArea> parsed;
        for (const char* row : weatherAreaRows())
            if (auto area = parseWeatherArea(row)) parsed.push_back(std::move(*area));
        return parsed;
    }();
    return areas;
}

std::optional<WeatherArea> nearestWeatherArea(double latMinutes, double lonMinutes,
                                              std::span<const WeatherArea> areas) {
    // Single precision and the short pi on purpose: the area picked for a
    // race exactly between two areas stays the one it always was.
    const float lat0 = static_cast<float>(latMinutes / 60);
    const float lon0 = static_cast<float>(lonMinutes / 60);
    const float k = std::cos(lat0 * 3.14159f / 180.0f);
    float best = 100.0f;
    const WeatherArea* nearest = nullptr;
    for (const WeatherArea& area : areas) {
        const float dLat = area.latDegrees - lat0;
        const float dLon = (area.lonDegrees - lon0) * k;
        const float d = std::sqrt(dLat * dLat + dLon * dLon);
        if (d < best) {
            best = d;
            nearest = &area;
        }
    }
    if (!nearest) return std::nullopt;
    return *nearest;
}

}  // namespace korvane

#include "tracks/coordinate_text.h"

#include "base/numbers.h"

namespace korvane {

namespace {

// Degrees in front of the minutes may be absent (a position under one
// degree written without leading zeros); anything present must be a number.
std::optional<double> leadingDegrees(std::string_view text) {
    if (text.empty()) return 0.0;
    return parseDouble(text);
}

std::optional<double> unsignedValue(std::string_view number, CoordinateFormat format) {
    if (format == CoordinateFormat::Degrees) {
        const auto degrees = parseDouble(number);
        if (!degrees) return std::nullopt;
        return *degrees * 60;
    }
    const std::size_t point = number.find('.');
    if (point == std::string_view::npos) return std::nullopt;
    if (format == CoordinateFormat::DegreesMinutes) {
        if (point < 2) return std::nullopt;
        const auto degrees = leadingDegrees(number.substr(0, point - 2));
        const auto minutes = parseDouble(number.substr(point - 2));
        if (!degrees || !minutes) return std::nullopt;
        return *degrees * 60 + *minutes;
    }
    if (point < 4) return std::nullopt;
    const auto degrees = leadingDegrees(number.substr(0, point - 4));
    const auto minutes = parseDouble(number.substr(point - 4, 2));
    const auto seconds = parseDouble(number.substr(point - 2));
    if (!degrees || !minutes || !seconds) return std::nullopt;
    return *degrees * 60 + *minutes + *seconds / 60;
}

}  // namespace

std::optional<double> parseCoordinateParts(char hemisphere, std::string_view number,
                                           CoordinateFormat format) {
    const auto value = unsignedValue(number, format);
    if (!value) return std::nullopt;
    return hemisphere == 'S' || hemisphere == 'W' ? -*value : *value;
}

std::optional<double> parseCoordinateText(std::string_view text, CoordinateFormat format) {
    if (text.empty()) return std::nullopt;
    return parseCoordinateParts(text.front(), text.substr(1), format);
}

}  // namespace korvane

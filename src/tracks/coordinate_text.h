// Coordinates written as a hemisphere letter and a number, as the text
// loggers and NMEA receivers write them.
#pragma once

#include <optional>
#include <string_view>

namespace korvane {

enum class CoordinateFormat {
    Degrees = 1,                // N35.2058
    DegreesMinutes = 2,         // N3512.345   (the default)
    DegreesMinutesSeconds = 3,  // N351220.5
};

// Signed minutes of arc. The first character is the hemisphere: exactly "S"
// or "W" makes the value negative, anything else leaves it positive. The
// minutes and seconds forms need a decimal point two (or four) digits after
// the degrees; text that does not fit a form gives nullopt and the fix is
// skipped rather than read as a wrong position.
std::optional<double> parseCoordinateText(std::string_view text, CoordinateFormat format);

// The same with letter and number apart, as an NMEA sentence carries them.
std::optional<double> parseCoordinateParts(char hemisphere, std::string_view number,
                                           CoordinateFormat format);

}  // namespace korvane

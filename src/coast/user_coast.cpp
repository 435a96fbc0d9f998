#include "coast/user_coast.h"

#include <cmath>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

constexpr double kPoleMinutes = 90 * 60;

std::optional<double> number(std::string_view field) {
    return parseDouble(trimBlanks(field));
}

}  // namespace

void readUserCoast(std::string_view text, Coastline& out) {
    for (std::string_view line : splitLines(text)) {
        // The first two commas split the line; anything after a third comma
        // belongs to the third field.
        const std::size_t c1 = line.find(',');
        if (c1 == std::string_view::npos) continue;
        const std::size_t c2 = line.find(',', c1 + 1);
        const std::string_view first = line.substr(0, c1);
        const std::string_view second = line.substr(
            c1 + 1, c2 == std::string_view::npos ? std::string_view::npos : c2 - c1 - 1);
        const std::string_view third =
            c2 == std::string_view::npos ? std::string_view{} : line.substr(c2 + 1);

        const bool start = first == "R";
        const auto lat = number(start ? second : first);
        const auto lon = number(start ? third : second);
        if (!lat || !lon || std::fabs(*lat) > kPoleMinutes) continue;
        if (start)
            out.startPolyline({*lat, *lon});
        else
            out.append({*lat, *lon});
    }
}

}  // namespace korvane

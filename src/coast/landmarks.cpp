#include "coast/landmarks.h"

#include <optional>

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

constexpr std::size_t kShortestLine = 6;
constexpr std::size_t kFieldCount = 7;

std::vector<std::string_view> splitAtCommas(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = line.find(',', from);
        fields.push_back(trimBlanks(line.substr(from, comma - from)));
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    return fields;
}

// "3518.05" with two degree digits, "13928.5" with three: minutes of arc.
std::optional<double> degreesMinutes(std::string_view field, std::size_t degreeDigits) {
    if (field.size() <= degreeDigits) return std::nullopt;
    for (std::size_t i = 0; i < degreeDigits; ++i)
        if (field[i] < '0' || field[i] > '9') return std::nullopt;
    const auto degrees = parseInteger(field.substr(0, degreeDigits));
    const auto minutes = parseDouble(field.substr(degreeDigits));
    if (!degrees || !minutes) return std::nullopt;
    return static_cast<double>(*degrees) * 60 + *minutes;
}

}  // namespace

bool parseLandmarkLine(std::string_view line, Landmark& out) {
    if (line.size() < kShortestLine || line.front() == '/') return false;
    const auto fields = splitAtCommas(line);
    if (fields.size() < kFieldCount) return false;
    const auto lat = degreesMinutes(fields[1], 2);
    const auto lon = degreesMinutes(fields[2], 3);
    const auto period = parseInt32(fields[3]);
    const auto lit = parseInt32(fields[4]);
    const auto size = parseDouble(fields[6]);
    if (!lat || !lon || !period || !lit || !size) return false;

    std::string_view name = fields[0];
    if (const std::size_t underscore = name.find('_'); underscore != std::string_view::npos)
        name.remove_prefix(underscore + 1);
    out = Landmark{std::string(name), *lat, *lon, *period, *lit, std::string(fields[5]), *size};
    return true;
}

std::vector<Landmark> readLandmarks(std::string_view bytes, const LatLonBox& box) {
    std::vector<Landmark> kept;
    const std::string text = decodeText(bytes);
    for (std::string_view line : splitLines(text)) {
        Landmark landmark;
        if (!parseLandmarkLine(line, landmark)) continue;
        if (box.south - 5 < landmark.latMinutes && landmark.latMinutes < box.north + 8 &&
            box.west - 5 < landmark.lonMinutes && landmark.lonMinutes < box.east + 5)
            kept.push_back(std::move(landmark));
    }
    return kept;
}

LightColour colourOfLetter(char letter) {
    if (letter == 'R') return LightColour::Red;
    if (letter == 'G') return LightColour::Green;
    return LightColour::White;
}

std::uint32_t colourValue(LightColour colour) {
    switch (colour) {
        case LightColour::Red:
            return 0x0000FF;
        case LightColour::Green:
            return 0x00FF00;
        case LightColour::White:
            break;
    }
    return 0xFFFFFF;
}

LightState lightPhase(const Landmark& landmark, int index, std::int64_t tick) {
    const std::string& letters = landmark.colours;
    const LightColour first =
        letters.empty() ? LightColour::White : colourOfLetter(letters.front());
    LightState state{false, first};
    const std::int64_t p = landmark.periodSeconds;
    if (p < 1) return state;

    // Lights further down the list run one second later each.
    std::int64_t a = (static_cast<std::int64_t>(index) + 1 + tick) % p;
    if (a < 0) a += p;
    // Lit for the first `litSeconds` seconds after the tick where a = 0.
    state.lit = a >= 1 && landmark.litSeconds >= a;

    // The half-period flash turns the light to the last letter's colour
    // until the next period starts; the colour persists while dark.
    const bool twoColours = utf8Length(letters) >= 2;
    if (twoColours && p % 2 == 0 && a >= p / 2) {
        const std::int64_t ticksSinceHalf = a - p / 2;
        if (tick - ticksSinceHalf >= 1) {
            state.colour = colourOfLetter(letters.back());
            if (ticksSinceHalf == 0) state.lit = true;
        }
    }
    return state;
}

}  // namespace korvane

#include "tracks/nmea_reader.h"

#include <array>
#include <cstring>
#include <string>

#include "base/numbers.h"
#include "base/text.h"
#include "tracks/coordinate_text.h"
#include "tracks/log_clock.h"
#include "tracks/text_scan.h"

namespace korvane {

namespace {

// Fields 0..9 are all an RMC sentence gives us.
constexpr std::size_t kUsedFields = 10;
using SentenceFields = std::array<std::string_view, kUsedFields>;

// The race files' field splitter, without building strings: each field is
// trimmed, an empty field between two commas reads "0", a field the line
// does not have reads "".
void splitSentence(std::string_view line, SentenceFields& fields) {
    fields.fill({});
    std::size_t start = 0;
    for (std::size_t i = 0; i < kUsedFields; ++i) {
        const std::size_t comma = line.find(',', start);
        const bool last = comma == std::string_view::npos;
        const std::string_view field =
            trimBlanks(line.substr(start, last ? std::string_view::npos : comma - start));
        fields[i] = field.empty() ? std::string_view("0") : field;
        if (last) return;
        start = comma + 1;
    }
}

std::optional<std::int64_t> parsePart(std::string_view text) {
    const auto v = parseInteger(text);
    return v && *v > 0 ? v : std::nullopt;
}

// Date ddmmyy (years 2000-2099) and time hhmmss of the sentence.
std::optional<std::int64_t> sentenceSeconds(std::string_view time, std::string_view date,
                                            LogClock& clock) {
    int d, mo, y, h, mi, s;
    if (readFixedDigits(date, 0, 2, d) && readFixedDigits(date, 2, 2, mo) &&
        readFixedDigits(date, 4, 2, y)) {
        if (d <= 0 || mo <= 0 || y <= 0) return std::nullopt;
        if (readFixedDigits(time, 0, 2, h) && readFixedDigits(time, 2, 2, mi) &&
            readFixedDigits(time, 4, 2, s))
            return clock.seconds(2000 + y, mo, d, h, mi, s);
    }
    // Anything but plain digits: build the text the rules describe and let
    // the general conversion decide.
    const std::string_view dayText = clampedSub(date, 0, 2);
    const std::string_view monthText = clampedSub(date, 2, 2);
    const std::string_view yearText = clampedSub(date, 4, 2);
    if (!parsePart(dayText) || !parsePart(monthText) || !parsePart(yearText)) return std::nullopt;
    std::string text = "20";
    text.append(yearText).append("/").append(monthText).append("/").append(dayText);
    text.append(" ").append(clampedSub(time, 0, 2)).append(":");
    text.append(clampedSub(time, 2, 2)).append(":").append(clampedSub(time, 4, 2));
    return clock.secondsOfText(text);
}

// Hemisphere field in front of the number field, degrees and minutes.
std::optional<double> sentenceCoordinate(std::string_view hemisphere, std::string_view number) {
    if (hemisphere.size() == 1)
        return parseCoordinateParts(hemisphere[0], number, CoordinateFormat::DegreesMinutes);
    std::string text(hemisphere);
    text.append(number);
    return parseCoordinateText(text, CoordinateFormat::DegreesMinutes);
}

}  // namespace

std::vector<TrackPoint> readNmea(std::string_view bytes, const ReadWindow& window) {
    FixCollector out(window, bytes.size() / 64);
    LogClock clock(out);
    SentenceFields f;
    const char* base = bytes.data();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* hit = std::memchr(base + pos, '\n', bytes.size() - pos);
        const std::size_t end =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;

        splitSentence(line, f);
        if (findNoCase(f[0], "rmc") == std::string_view::npos) continue;
        const auto s = sentenceSeconds(f[1], f[9], clock);
        if (!s) continue;
        const FixCollector::Verdict verdict = out.judge(*s);
        if (verdict == FixCollector::Verdict::Stop) break;
        if (verdict == FixCollector::Verdict::Skip) continue;
        const auto lat = sentenceCoordinate(f[4], f[3]);
        const auto lon = sentenceCoordinate(f[6], f[5]);
        if (lat && lon) out.store(*s, *lat, *lon);
    }
    return out.take();
}

}  // namespace korvane

#include "tracks/tline_reader.h"

#include "race/fields.h"
#include "race/race_time.h"
#include "tracks/coordinate_text.h"
#include "tracks/log_clock.h"
#include "tracks/text_scan.h"

namespace korvane {

namespace {
// The time a line gets when its date or time does not convert: far outside
// every window, so the line is simply not stored.
constexpr std::int64_t kUnreadableSeconds = -1000000;
}  // namespace

std::vector<TrackPoint> readTLines(std::string_view bytes, const ReadWindow& window) {
    FixCollector out(window, bytes.size() / 48);
    const LogClock clock(out);
    CoordinateFormat format = CoordinateFormat::DegreesMinutes;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::string_view line = nextLine(bytes, pos);
        if (line.find("DMS") != std::string_view::npos)
            format = CoordinateFormat::DegreesMinutesSeconds;
        if (line.find("DEG") != std::string_view::npos) format = CoordinateFormat::Degrees;
        const SplitFields fields = splitFields(line, " ");
        if (fields.count() != 6 || fields[0].find('T') == std::string::npos) continue;
        const std::string date = normalizeLogDate(fields[3], window.raceDate);
        const std::int64_t s =
            clock.secondsOfText(date + " " + fields[4]).value_or(kUnreadableSeconds);
        const FixCollector::Verdict verdict = out.judge(s);
        if (verdict == FixCollector::Verdict::Stop) break;
        if (verdict == FixCollector::Verdict::Skip) continue;
        const auto lat = parseCoordinateText(fields[1], format);
        const auto lon = parseCoordinateText(fields[2], format);
        if (lat && lon) out.store(s, *lat, *lon);
    }
    return out.take();
}

}  // namespace korvane

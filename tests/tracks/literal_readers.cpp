#include "literal_readers.h"

#include <cmath>
#include <optional>
#include <string>

#include "base/numbers.h"
#include "base/text.h"
#include "race/fields.h"
#include "race/race_time.h"
#include "tracks/coordinate_text.h"

namespace korvane::literal {

namespace {

std::string sub(const std::string& s, std::size_t pos, std::size_t n = std::string::npos) {
    return pos >= s.size() ? std::string() : s.substr(pos, n);
}

bool endsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Lower-cased as it grows, so "contains" is "ends with" at each step.
std::optional<double> quoted(const std::string& block, const std::string& name) {
    const std::size_t at = block.find(name);
    if (at == std::string::npos) return std::nullopt;
    const std::string reach = sub(block, at, 50);
    const std::size_t open = reach.find('"');
    if (open == std::string::npos || reach.substr(0, open).find('\'') != std::string::npos)
        return std::nullopt;
    const std::size_t close = reach.find('"', open + 1);
    if (close == std::string::npos) return std::nullopt;
    return parseDouble(reach.substr(open + 1, close - open - 1));
}

struct Window {
    const ReadWindow& w;
    double lower() const { return -static_cast<double>(w.preStartSeconds) - 60; }
    double upper() const { return w.timelineEnd + 120; }
    std::int64_t seconds(Timestamp t) const {
        return static_cast<std::int64_t>(secondsBetween(w.startUtc, t)) + w.timeOffsetSeconds;
    }
};

void push(std::vector<TrackPoint>& out, std::int64_t s, double lat, double lon) {
    if (!std::isfinite(lat) || !std::isfinite(lon)) return;
    TrackPoint p;
    p.timeSeconds = static_cast<double>(s);
    p.latMinutes = lat;
    p.lonMinutes = lon;
    out.push_back(p);
}

}  // namespace

std::vector<TrackPoint> readGpx(std::string_view bytes, const ReadWindow& w) {
    const Window win{w};
    std::vector<TrackPoint> out;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes[pos++] != '<') continue;
        const std::string five = toLowerAscii(bytes.substr(pos, 5));
        pos += five.size();
        if (five.find("/gpx>") != std::string::npos) break;
        if (five != "trkpt") continue;
        std::string block;
        while (pos < bytes.size()) {
            const char c = bytes[pos++];
            block += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
            // Only the character just added can complete either ending.
            if ((c == '>' && endsWith(block, "</trkpt>")) ||
                ((c == 'x' || c == 'X') && endsWith(block, "/gpx")))
                break;
        }
        if (block.find("lat") == std::string::npos || block.find("lon") == std::string::npos ||
            block.find("time") == std::string::npos)
            continue;
        const auto lat = quoted(block, "lat");
        const auto lon = quoted(block, "lon");
        if (!lat || !lon) continue;
        const std::size_t at = block.find("<time>");
        if (at == std::string::npos) continue;
        const std::string text = sub(block, at + 6, 50);
        const std::size_t t = text.find('t');
        if (t == std::string::npos) continue;
        const auto stamp = parseTimestamp(text.substr(0, t) + " " + sub(text, t + 1, 8));
        if (!stamp) continue;
        const std::int64_t s = win.seconds(*stamp);
        if (s > win.lower() && s < win.upper()) push(out, s, *lat * 60, *lon * 60);
        if (w.stopsAfterWindow && s > win.upper()) break;
    }
    return out;
}

std::vector<TrackPoint> readNmea(std::string_view bytes, const ReadWindow& w) {
    const Window win{w};
    std::vector<TrackPoint> out;
    for (const std::string_view line : splitLines(bytes)) {
        const SplitFields f = splitFields(line, ",");
        if (toUpperAscii(f[0]).find("RMC") == std::string::npos) continue;
        const std::string day = sub(f[9], 0, 2), month = sub(f[9], 2, 2), year = sub(f[9], 4, 2);
        const auto d = parseInteger(day), m = parseInteger(month), y = parseInteger(year);
        if (!d || !m || !y || *d <= 0 || *m <= 0 || *y <= 0) continue;
        const std::string text = "20" + year + "/" + month + "/" + day + " " + sub(f[1], 0, 2) +
                                 ":" + sub(f[1], 2, 2) + ":" + sub(f[1], 4, 2);
        const auto stamp = parseTimestamp(text);
        if (!stamp) continue;
        const std::int64_t s = win.seconds(*stamp);
        if (!(s > win.lower() && s < win.upper())) continue;
        const auto lat = parseCoordinateText(f[4] + f[3], CoordinateFormat::DegreesMinutes);
        const auto lon = parseCoordinateText(f[6] + f[5], CoordinateFormat::DegreesMinutes);
        if (lat && lon) push(out, s, *lat, *lon);
    }
    return out;
}

bool sameFixes(const std::vector<TrackPoint>& a, const std::vector<TrackPoint>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].timeSeconds != b[i].timeSeconds || a[i].latMinutes != b[i].latMinutes ||
            a[i].lonMinutes != b[i].lonMinutes)
            return false;
    return true;
}

}  // namespace korvane::literal

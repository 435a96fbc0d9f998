#include "tracks/gpx_reader.h"

#include <cstring>
#include <string>

#include "base/numbers.h"
#include "tracks/log_clock.h"
#include "tracks/text_scan.h"

namespace korvane {

namespace {

// The loggers this reader was made for write small, regular files, so it
// does not build a document: it looks for "<trkpt", takes the text up to
// "</trkpt>" (or up to "/gpx", so a truncated file still ends its last
// point) and picks the three values out of it, letter case ignored.
constexpr std::size_t kValueReach = 50;

std::size_t blockEnd(std::string_view bytes, std::size_t from) {
    const char* base = bytes.data();
    std::size_t pos = from;
    while (pos < bytes.size()) {
        const void* hit = std::memchr(base + pos, '/', bytes.size() - pos);
        if (!hit) break;
        const std::size_t q = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        const std::string_view after = bytes.substr(q + 1);
        if (q > from && bytes[q - 1] == '<' && after.size() >= 6 &&
            equalsNoCase(after.substr(0, 6), "trkpt>"))
            return q + 7;
        if (after.size() >= 3 && equalsNoCase(after.substr(0, 3), "gpx")) return q + 4;
        pos = q + 1;
    }
    return bytes.size();
}

// The double-quoted value following the first `name` of the block. A value
// in single quotes is refused instead of taking the next attribute's value.
std::optional<double> quotedValue(std::string_view block, std::string_view name) {
    const std::size_t at = findNoCase(block, name);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view reach = block.substr(at, kValueReach);
    const std::size_t open = reach.find('"');
    if (open == std::string_view::npos) return std::nullopt;
    if (reach.substr(0, open).find('\'') != std::string_view::npos) return std::nullopt;
    const std::size_t close = reach.find('"', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return parseDouble(reach.substr(open + 1, close - open - 1));
}

bool isIsoDate(std::string_view d) {
    return d.size() == 10 && d[4] == '-' && d[7] == '-';
}

bool isClockTime(std::string_view t) {
    return t.size() == 8 && t[2] == ':' && t[5] == ':';
}

// "YYYY-MM-DDThh:mm:ss...": the date before the first "t", the eight
// characters after it; fractions and the zone letter are not read.
std::optional<std::int64_t> pointSeconds(std::string_view block, LogClock& clock) {
    const std::size_t at = findNoCase(block, "<time>");
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view text = block.substr(at + 6, kValueReach);
    const std::size_t t = findNoCase(text, "t");
    if (t == std::string_view::npos) return std::nullopt;
    const std::string_view date = text.substr(0, t);
    const std::string_view clockTime = clampedSub(text, t + 1, 8);
    int y, mo, d, h, mi, s;
    if (isIsoDate(date) && isClockTime(clockTime) && readFixedDigits(date, 0, 4, y) &&
        readFixedDigits(date, 5, 2, mo) && readFixedDigits(date, 8, 2, d) &&
        readFixedDigits(clockTime, 0, 2, h) && readFixedDigits(clockTime, 3, 2, mi) &&
        readFixedDigits(clockTime, 6, 2, s))
        return clock.seconds(y, mo, d, h, mi, s);
    std::string full;
    full.reserve(date.size() + 1 + clockTime.size());
    for (char c : date) full += foldAscii(c);
    full += ' ';
    for (char c : clockTime) full += foldAscii(c);
    return clock.secondsOfText(full);
}

}  // namespace

std::vector<TrackPoint> readGpx(std::string_view bytes, const ReadWindow& window) {
    // A track point with its time takes 80 to 90 bytes in a logger's GPX; a
    // close guess spares the copy of trimming an oversized reservation.
    FixCollector out(window, bytes.size() / 80);
    LogClock clock(out);
    const char* base = bytes.data();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* hit = std::memchr(base + pos, '<', bytes.size() - pos);
        if (!hit) break;
        const std::size_t tag = static_cast<std::size_t>(static_cast<const char*>(hit) - base) + 1;
        // The five characters after "<" are consumed whatever they are.
        if (bytes.size() - tag < 5) break;
        const std::string_view name = bytes.substr(tag, 5);
        pos = tag + 5;
        if (equalsNoCase(name, "/gpx>")) break;
        if (!equalsNoCase(name, "trkpt")) continue;

        const std::size_t end = blockEnd(bytes, pos);
        const std::string_view block = bytes.substr(pos, end - pos);
        pos = end;
        // A point whose values cannot be read is passed over as a whole: it
        // is neither stored nor allowed to end the reading.
        const auto lat = quotedValue(block, "lat");
        const auto lon = quotedValue(block, "lon");
        // (A block without "time" has no "<time>" either: pointSeconds
        // passes over it.)
        if (!lat || !lon) continue;
        const auto s = pointSeconds(block, clock);
        if (!s) continue;
        if (out.offer(*s, *lat * 60, *lon * 60) == FixCollector::Verdict::Stop) break;
    }
    return out.take();
}

}  // namespace korvane

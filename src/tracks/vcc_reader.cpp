#include "tracks/vcc_reader.h"

#include <cmath>

#include "base/numbers.h"
#include "tracks/log_clock.h"
#include "tracks/text_scan.h"

namespace korvane {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct PointAttributes {
    std::string_view dateTime, latitude, longitude, speed, heading;
};

// The attributes of one element, `text` being what lies between its name
// and its end (see readVcc). Values in single or double quotes; anything
// that is not name="value" ends the list.
PointAttributes attributesOf(std::string_view text) {
    PointAttributes a;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i])) ++i;
        const std::size_t nameStart = i;
        while (i < text.size() && text[i] != '=' && !isSpace(text[i])) ++i;
        const std::string_view name = text.substr(nameStart, i - nameStart);
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i >= text.size() || text[i] != '=') break;
        ++i;
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) break;
        const char quote = text[i++];
        const std::size_t close = text.find(quote, i);
        if (close == std::string_view::npos) break;
        const std::string_view value = text.substr(i, close - i);
        i = close + 1;
        if (equalsNoCase(name, "datetime"))
            a.dateTime = value;
        else if (equalsNoCase(name, "latitude"))
            a.latitude = value;
        else if (equalsNoCase(name, "longitude"))
            a.longitude = value;
        else if (equalsNoCase(name, "speed"))
            a.speed = value;
        else if (equalsNoCase(name, "heading"))
            a.heading = value;
    }
    return a;
}

// Seconds east of UTC of a zone suffix: "Z", "+hh:mm", "-hhmm", "+hh";
// nothing at all is taken as UTC.
std::optional<int> zoneSeconds(std::string_view zone) {
    if (zone.empty() || zone == "Z" || zone == "z") return 0;
    if (zone[0] != '+' && zone[0] != '-') return std::nullopt;
    int h = 0, m = 0;
    const std::string_view rest = zone.substr(1);
    if (rest.size() == 2) {
        if (!readFixedDigits(rest, 0, 2, h)) return std::nullopt;
    } else if (rest.size() == 4) {
        if (!readFixedDigits(rest, 0, 2, h) || !readFixedDigits(rest, 2, 2, m)) return std::nullopt;
    } else if (rest.size() == 5 && rest[2] == ':') {
        if (!readFixedDigits(rest, 0, 2, h) || !readFixedDigits(rest, 3, 2, m)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (h > 23 || m > 59) return std::nullopt;
    const int s = h * 3600 + m * 60;
    return zone[0] == '-' ? -s : s;
}

// "YYYY-MM-DDThh:mm:ss[.fff][zone]" to race seconds; fractions of a second
// are dropped, as the other readers do.
std::optional<std::int64_t> pointSeconds(std::string_view t, LogClock& clock) {
    int y, mo, d, h, mi, s;
    if (t.size() < 19 || t[4] != '-' || t[7] != '-' || (t[10] != 'T' && t[10] != 't') ||
        t[13] != ':' || t[16] != ':')
        return std::nullopt;
    if (!readFixedDigits(t, 0, 4, y) || !readFixedDigits(t, 5, 2, mo) ||
        !readFixedDigits(t, 8, 2, d) || !readFixedDigits(t, 11, 2, h) ||
        !readFixedDigits(t, 14, 2, mi) || !readFixedDigits(t, 17, 2, s))
        return std::nullopt;
    std::size_t z = 19;
    if (z < t.size() && t[z] == '.') {
        ++z;
        while (z < t.size() && t[z] >= '0' && t[z] <= '9') ++z;
    }
    const auto zone = zoneSeconds(t.substr(z));
    if (!zone) return std::nullopt;
    const auto local = clock.seconds(y, mo, d, h, mi, s);
    if (!local) return std::nullopt;
    return *local - *zone;
}

// Past the element name: "<Trackpoint" must not be "<Trackpoints".
bool endsName(std::string_view bytes, std::size_t at) {
    return at >= bytes.size() || isSpace(bytes[at]) || bytes[at] == '/' || bytes[at] == '>';
}

}  // namespace

LogContents readVcc(std::string_view bytes, const ReadWindow& window) {
    constexpr std::string_view kTag = "<trackpoint";
    // A track point with its five attributes takes about 120 bytes.
    FixCollector out(window, bytes.size() / 120);
    LogClock clock(out);
    bool everyFixHasMotion = true;
    std::size_t pos = 0;
    while (true) {
        const std::size_t at = findNoCase(bytes, kTag, pos);
        if (at == std::string_view::npos) break;
        pos = at + kTag.size();
        if (!endsName(bytes, pos)) continue;
        // The attributes end at the element's ">", or where the next tag
        // begins when that is missing (a file cut short, or garbage): a broken
        // element never reaches into the elements after it, and no byte is
        // looked at again by a later element, so a file of unclosed
        // "<Trackpoint" costs one pass instead of one pass per element.
        const std::size_t end = bytes.find_first_of("<>", pos);
        const std::string_view text =
            bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? bytes.size() : bytes[end] == '>' ? end + 1 : end;
        const PointAttributes a = attributesOf(text);
        const auto lat = parseDouble(a.latitude);
        const auto lon = parseDouble(a.longitude);
        const auto s = pointSeconds(a.dateTime, clock);
        if (!lat || !lon || !s || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) continue;
        const FixCollector::Verdict v = out.judge(*s);
        if (v == FixCollector::Verdict::Stop) break;
        if (v == FixCollector::Verdict::Skip) continue;
        const auto speed = parseDouble(a.speed);
        const auto heading = parseDouble(a.heading);
        if (!speed || !heading) everyFixHasMotion = false;
        double course = heading ? std::fmod(*heading, 360.0) : 0;
        if (course < 0) course += 360;
        if (course >= 360) course = 0;  // -1e-20 + 360 rounds to 360
        out.store(*s, *lat * 60, *lon * 60, speed.value_or(0), course);
    }
    LogContents c;
    c.fixes = out.take();
    c.loggedCourseAndSpeed = everyFixHasMotion;
    return c;
}

}  // namespace korvane

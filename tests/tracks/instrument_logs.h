// Builds VKX and VCC logs for the reader tests, from the formats'
// descriptions: VKX rows (key byte, little-endian payload of the key's
// size) and VCC Trackpoint elements.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "log_builders.h"

namespace korvane::testlogs {

struct InstrumentFix {
    std::int64_t unixMs;
    double latDegrees;
    double lonDegrees;
    double speedKnots;
    double courseDegrees;
};

inline std::vector<InstrumentFix> instrumentRun(int n, std::int64_t stepMs, std::int64_t firstMs) {
    std::vector<InstrumentFix> out;
    for (int k = 0; k < n; ++k)
        out.push_back({kStartUnix * 1000 + firstMs + k * stepMs, 35.27 + k * 1e-5,
                       139.48 - k * 1.3e-5, 4.0 + 0.1 * k, std::fmod(10.0 * k, 360.0)});
    return out;
}

namespace vkx {

inline std::string row(unsigned char key, const std::string& payload) {
    return std::string(1, static_cast<char>(key)) + payload;
}

inline std::string pageHeader() {
    return row(0xFF, std::string("\x05", 1) + std::string(6, '\x11'));
}

inline std::string pageEnd(std::uint16_t length) {
    std::string p;
    appendLe(p, length);
    return row(0xFE, p);
}

inline std::int32_t e7(double degrees) {
    return static_cast<std::int32_t>(std::llround(degrees * 1e7));
}

inline std::string position(const InstrumentFix& f) {
    std::string p;
    appendLe(p, static_cast<std::uint64_t>(f.unixMs));
    appendLe(p, e7(f.latDegrees));
    appendLe(p, e7(f.lonDegrees));
    appendLe(p, static_cast<float>(f.speedKnots * 1852.0 / 3600.0));
    appendLe(p, static_cast<float>(f.courseDegrees * std::numbers::pi / 180.0));
    appendLe(p, 1.5f);                                        // altitude
    for (float q : {1.0f, 0.0f, 0.0f, 0.0f}) appendLe(p, q);  // orientation
    return row(0x02, p);
}

inline std::string timerEvent(std::int64_t unixMs, unsigned char event, std::int32_t timer) {
    std::string p;
    appendLe(p, static_cast<std::uint64_t>(unixMs));
    p += static_cast<char>(event);
    appendLe(p, timer);
    return row(0x04, p);
}

inline std::string lineEnd(std::int64_t unixMs, unsigned char end, float lat, float lon) {
    std::string p;
    appendLe(p, static_cast<std::uint64_t>(unixMs));
    p += static_cast<char>(end);
    appendLe(p, lat);
    appendLe(p, lon);
    return row(0x05, p);
}

// A row of `key` whose payload is `size` copies of `fill`.
inline std::string filler(unsigned char key, int size, char fill = '\x02') {
    return row(key, std::string(static_cast<std::size_t>(size), fill));
}

// Page header, the fixes, page terminator.
inline std::string log(const std::vector<InstrumentFix>& fixes) {
    std::string s = pageHeader();
    for (const InstrumentFix& f : fixes) s += position(f);
    return s + pageEnd(static_cast<std::uint16_t>(s.size()));
}

}  // namespace vkx

namespace vcc {

// Local time of `unixMs` at `offsetMinutes` east of UTC, with the offset.
inline std::string dateTime(std::int64_t unixMs, int offsetMinutes, bool fraction = false) {
    const std::tm u = utc(unixMs / 1000 + offsetMinutes * 60);
    char b[96];
    const int off = std::abs(offsetMinutes);
    std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d:%02d%s%c%02d:%02d", u.tm_year + 1900,
                  u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec, fraction ? ".250" : "",
                  offsetMinutes < 0 ? '-' : '+', off / 60, off % 60);
    return b;
}

inline std::string attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

inline std::string number(double v, int decimals) {
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimals, v);
    return b;
}

inline std::string document(const std::string& points) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<VelocitekControlCenter xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "  <CapturedTrack name=\"130601_104726\" downloadedOn=\"2013-06-01T12:00:00-07:00\">\n"
           "    <DeviceInfo ftdiSerialNumber=\"VTDS5Q0V\" />\n"
           "    <Trackpoints>\n" +
           points + "    </Trackpoints>\n  </CapturedTrack>\n</VelocitekControlCenter>\n";
}

inline std::string log(const std::vector<InstrumentFix>& fixes, int offsetMinutes) {
    std::string points;
    for (const InstrumentFix& f : fixes)
        points += "      <Trackpoint" + attribute("dateTime", dateTime(f.unixMs, offsetMinutes)) +
                  attribute("heading", number(f.courseDegrees, 2)) +
                  attribute("speed", number(f.speedKnots, 2)) +
                  attribute("latitude", number(f.latDegrees, 7)) +
                  attribute("longitude", number(f.lonDegrees, 7)) + " />\n";
    return document(points);
}

}  // namespace vcc

}  // namespace korvane::testlogs

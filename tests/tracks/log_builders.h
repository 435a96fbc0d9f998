// Builds log files of every format from a list of fixes, for the tests and
// benchmarks of the track import. Written from the formats' descriptions;
// each builder writes the plainest form a logger would.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "race/model.h"

namespace korvane::testlogs {

struct Fix {
    std::int64_t unixSeconds;
    double latDegrees;
    double lonDegrees;
};

// 2024-05-12 02:00:00 UTC.
inline constexpr std::int64_t kStartUnix = 1715479200;

// n fixes every `step` seconds from kStartUnix + first, heading north-east.
inline std::vector<Fix> fixRun(int n, int step = 1, std::int64_t first = 0, double lat = 35.27,
                               double lon = 139.48) {
    std::vector<Fix> out;
    for (int k = 0; k < n; ++k)
        out.push_back({kStartUnix + first + static_cast<std::int64_t>(k) * step, lat + k * 1e-5,
                       lon + k * 1.3e-5});
    return out;
}

inline std::tm utc(std::int64_t t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm out{};
    gmtime_r(&tt, &out);
    return out;
}

inline std::string isoTime(std::int64_t t) {
    const std::tm u = utc(t);
    char b[96];
    std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d:%02dZ", u.tm_year + 1900, u.tm_mon + 1,
                  u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec);
    return b;
}

inline std::string gpxPoint(const Fix& f) {
    char b[320];
    std::snprintf(b, sizeof b,
                  "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>2.0</ele><time>%s</time></trkpt>\n",
                  f.latDegrees, f.lonDegrees, isoTime(f.unixSeconds).c_str());
    return b;
}

inline std::string gpx(const std::vector<Fix>& fixes) {
    std::string s =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"test\">\n"
        "<trk><name>t</name><trkseg>\n";
    for (const Fix& f : fixes) s += gpxPoint(f);
    return s + "</trkseg></trk>\n</gpx>\n";
}

// ddmm.mmmm with the hemisphere letter apart.
inline std::string degMin(double v, int degreeDigits) {
    const double a = std::fabs(v);
    int d = static_cast<int>(a);
    double m = std::round((a - d) * 60 * 10000) / 10000;
    if (m >= 60) {
        ++d;
        m -= 60;
    }
    char b[64];
    std::snprintf(b, sizeof b, "%0*d%07.4f", degreeDigits, d, m);
    return b;
}

inline std::string rmc(const Fix& f) {
    const std::tm u = utc(f.unixSeconds);
    char b[320];
    std::snprintf(b, sizeof b,
                  "$GPRMC,%02d%02d%02d.00,A,%s,%c,%s,%c,5.0,45.0,%02d%02d%02d,,,A*00\r\n",
                  u.tm_hour, u.tm_min, u.tm_sec, degMin(f.latDegrees, 2).c_str(),
                  f.latDegrees < 0 ? 'S' : 'N', degMin(f.lonDegrees, 3).c_str(),
                  f.lonDegrees < 0 ? 'W' : 'E', u.tm_mday, u.tm_mon + 1, u.tm_year % 100);
    return b;
}

inline std::string nmea(const std::vector<Fix>& fixes) {
    std::string s;
    for (const Fix& f : fixes) {
        s += rmc(f);
        s += "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";
    }
    return s;
}

template <class T>
void appendLe(std::string& s, T v) {
    char b[sizeof v];
    std::memcpy(b, &v, sizeof v);
    s.append(b, sizeof v);
}

// Fixed records: time, latitude, longitude, then padding up to `size`.
inline std::string records(const std::vector<Fix>& fixes, int size = 12) {
    std::string s;
    for (const Fix& f : fixes) {
        appendLe(s, static_cast<std::int32_t>(f.unixSeconds));
        appendLe(s, static_cast<float>(f.latDegrees));
        appendLe(s, static_cast<float>(f.lonDegrees));
        s.append(static_cast<std::size_t>(size - 12), '\0');
    }
    return s;
}

inline std::int32_t semicircles(double degrees) {
    return static_cast<std::int32_t>(std::llround(degrees / 180.0 * 2147483648.0));
}

// One track point of the long "gdb" pattern, or the "mps" one: the flag at
// offset 10 of the 27 bytes written here, followed by filler.
inline std::string scannedRecord(const Fix& f, bool mps = false) {
    std::string s;
    s += std::string(2, '\0');  // [i-10], [i-9]
    appendLe(s, semicircles(f.latDegrees));
    appendLe(s, semicircles(f.lonDegrees));
    s += '\1';                                              // [i]
    s += std::string(8, '\x55');                            // not read
    s += '\1';                                              // [i+9]
    appendLe(s, static_cast<std::int32_t>(f.unixSeconds));  // [i+10]
    s += std::string(mps ? 9 : 2, '\0');                    // [i+14] ..
    return s;
}

// The short "gdb" pattern: lat at i-9, lon at i-5, [i-1] = 0, flag 1, time.
inline std::string shortGdbRecord(const Fix& f) {
    std::string s(2, '\0');  // [i-11], [i-10]
    appendLe(s, semicircles(f.latDegrees));
    appendLe(s, semicircles(f.lonDegrees));
    s += '\0';  // [i-1]
    s += '\1';  // [i]
    appendLe(s, static_cast<std::int32_t>(f.unixSeconds));
    s += std::string(2, '\0');  // [i+5], [i+6]
    return s;
}

inline std::string scanned(const std::vector<Fix>& fixes, bool mps = false) {
    std::string s(40, '\xff');
    for (const Fix& f : fixes) s += scannedRecord(f, mps) + std::string(5, '\xff');
    return s + std::string(40, '\xff');
}

inline std::string tlines(const std::vector<Fix>& fixes) {
    std::string s = "LOGGER 1\r\n";
    for (const Fix& f : fixes) {
        const std::tm u = utc(f.unixSeconds);
        char b[320];
        std::snprintf(b, sizeof b, "T  %c%s %c%s %04d-%02d-%02d %02d:%02d:%02d 0\r\n",
                      f.latDegrees < 0 ? 'S' : 'N', degMin(f.latDegrees, 2).c_str(),
                      f.lonDegrees < 0 ? 'W' : 'E', degMin(f.lonDegrees, 3).c_str(),
                      u.tm_year + 1900, u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec);
        s += b;
    }
    return s;
}

// The times of a reader's fixes, for comparing whole tracks at a glance.
inline std::vector<double> times(const std::vector<TrackPoint>& fixes) {
    std::vector<double> out;
    for (const TrackPoint& p : fixes) out.push_back(p.timeSeconds);
    return out;
}

}  // namespace korvane::testlogs

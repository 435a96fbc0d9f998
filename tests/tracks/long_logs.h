// Logs of several megabytes whose bulk is one small unit repeated: a tag
// that never closes, a line that never ends, records that never match.
// A reader that searches the rest of the buffer again for every unit spends
// the square of the size on them; fixes before and after the bulk must come
// out as they do without it. Shared by the test that feeds them to every
// reader and the benchmark that times them.
#pragma once

#include <string>
#include <vector>

#include "instrument_logs.h"
#include "log_builders.h"

namespace korvane::testlogs {

struct LongLog {
    const char* name;
    const char* extension;
    std::string head;  // before the bulk; head + tail is a log of its own
    std::string unit;  // repeated to fill the log
    std::string tail;  // after the bulk
};

// A VCC track point cut short: its attributes, no "/>". After the bulk of
// unclosed elements the file holds no ">" at all, so a reader that looks
// for the end of each element in the rest of the file reads the rest of the
// file for each of them.
inline std::string unclosedVccPoint(const InstrumentFix& f) {
    return "<Trackpoint" + vcc::attribute("dateTime", vcc::dateTime(f.unixMs, 0)) +
           vcc::attribute("heading", vcc::number(f.courseDegrees, 2)) +
           vcc::attribute("speed", vcc::number(f.speedKnots, 2)) +
           vcc::attribute("latitude", vcc::number(f.latDegrees, 7)) +
           vcc::attribute("longitude", vcc::number(f.lonDegrees, 7)) + "\n";
}

// Fixes of a year before the race, outside every window.
inline std::vector<Fix> lastYear(int n) {
    return fixRun(n, 1, -366LL * 86400);
}

inline std::vector<LongLog> longLogs() {
    const std::vector<Fix> fixes = fixRun(30, 2, 0);
    const std::vector<InstrumentFix> instrumentFixes = instrumentRun(31, 2000, 0);
    return {
        // A whole log, then unclosed elements, some with a name that runs on
        // to the next one, and a last point cut short.
        {"VccUnclosedTrackpoints", "vcc",
         vcc::log({instrumentFixes.begin(), instrumentFixes.end() - 1}, 0),
         "<Trackpoint <Trackpoint/", unclosedVccPoint(instrumentFixes.back())},
        // Track points that never end: the first one runs to the log.
        {"GpxUnclosedTrackpoints", "gpx", "", "<trkpt </", gpx(fixes)},
        // One sentence of endless fields, then the log.
        {"NmeaEndlessSentence", "log", "", ",$GPRMC", "\n" + nmea(fixes)},
        // One line of endless fields, then the log.
        {"TLinesEndlessLine", "dtr", "", "T N3512.345 ", "\r\n" + tlines(fixes)},
        // Eight million empty lines before the log.
        {"TLinesEmptyLines", "trk", "", "\r\n", tlines(fixes)},
        // Page headers without a row between them.
        {"VkxPageHeaders", "vkx", "", vkx::pageHeader(), vkx::log(instrumentRun(30, 1000, 0))},
        {"TrbRecordsOfLastYear", "trb", "", records(lastYear(1)), records(fixes)},
        {"TrlRecordsOfLastYear", "trl", "", records(lastYear(1), 20), records(fixes, 20)},
        // Patterns that match with a time of 0: each is passed over.
        {"GdbRecordsWithoutTime", "gdb", "", scannedRecord({0, 35, 139}) + "\xff\xff\xff",
         scanned(fixes)},
        {"MpsRecordsWithoutTime", "mps", "", scannedRecord({0, 35, 139}, true) + "\xff\xff\xff",
         scanned(fixes, true)},
    };
}

// The head, `unit` repeated to at least `bytes` bytes, the tail.
inline std::string longLog(const LongLog& log, std::size_t bytes) {
    std::string out = log.head;
    out.reserve(log.head.size() + bytes + log.unit.size() + log.tail.size());
    for (std::size_t filled = 0; filled < bytes; filled += log.unit.size()) out += log.unit;
    return out + log.tail;
}

}  // namespace korvane::testlogs

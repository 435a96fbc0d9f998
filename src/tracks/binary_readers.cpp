#include "tracks/binary_readers.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace korvane {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the logger formats are little-endian and read in place");

std::int32_t int32At(std::string_view bytes, std::size_t pos) {
    std::int32_t v;
    std::memcpy(&v, bytes.data() + pos, sizeof v);
    return v;
}

float floatAt(std::string_view bytes, std::size_t pos) {
    float v;
    std::memcpy(&v, bytes.data() + pos, sizeof v);
    return v;
}

unsigned byteAt(std::string_view bytes, std::size_t pos) {
    return static_cast<unsigned char>(bytes[pos]);
}

Timestamp unixTimestamp(std::int32_t seconds) {
    return kUnixEpochTimestamp + seconds / kSecondsPerDay;
}

// Semicircles: 2^31 is 180 degrees.
double semicirclesToMinutes(std::int32_t value) {
    return value / 2147483648.0 * 180.0 * 60.0;
}

// Fixed records whose first 12 bytes are time, latitude and longitude in
// degrees as singles.
std::vector<TrackPoint> readFixedRecords(std::string_view bytes, std::size_t recordSize,
                                         const ReadWindow& window) {
    const std::size_t records = bytes.size() / recordSize;
    FixCollector out(window, records);
    for (std::size_t r = 0; r < records; ++r) {
        const std::size_t pos = r * recordSize;
        const std::int64_t s = out.secondsOf(unixTimestamp(int32At(bytes, pos)));
        const double lat = static_cast<double>(floatAt(bytes, pos + 4)) * 60;
        const double lon = static_cast<double>(floatAt(bytes, pos + 8)) * 60;
        if (out.offer(s, lat, lon) == FixCollector::Verdict::Stop) break;
    }
    return out.take();
}

struct ScanPattern {
    int latAt, lonAt, timeAt, recordLength;
};

constexpr ScanPattern kGdbLong{-8, -4, 10, 24};
constexpr ScanPattern kGdbShort{-9, -5, 1, 16};
constexpr ScanPattern kMps{-8, -4, 10, 24};

// Tested positions stay 30 bytes away from both ends, which covers every
// byte a pattern looks at (i - 11 .. i + 22).
constexpr std::size_t kScanMargin = 30;

const ScanPattern* matchGdb(std::string_view b, std::size_t i) {
    if (byteAt(b, i) != 1) return nullptr;
    if (byteAt(b, i - 10) == 0 && byteAt(b, i - 9) == 0 && byteAt(b, i + 9) == 1 &&
        byteAt(b, i + 14) == 0 && byteAt(b, i + 15) == 0)
        return &kGdbLong;
    if (byteAt(b, i - 1) == 0 && byteAt(b, i - 11) == 0 && byteAt(b, i - 10) == 0 &&
        byteAt(b, i + 5) == 0 && byteAt(b, i + 6) == 0)
        return &kGdbShort;
    return nullptr;
}

const ScanPattern* matchMps(std::string_view b, std::size_t i) {
    if (byteAt(b, i) > 1 || byteAt(b, i - 10) != 0 || byteAt(b, i - 9) != 0 ||
        byteAt(b, i + 9) != 1)
        return nullptr;
    for (std::size_t k = i + 14; k <= i + 22; ++k)
        if (byteAt(b, k) != 0) return nullptr;
    return &kMps;
}

template <class Match>
std::vector<TrackPoint> scanRecords(std::string_view bytes, const ReadWindow& window, Match match) {
    FixCollector out(window, bytes.size() / 24);
    if (bytes.size() < 60) return out.take();
    int skip = 0;
    for (std::size_t i = kScanMargin; i <= bytes.size() - kScanMargin; ++i) {
        if (skip > 1) {
            --skip;
            continue;
        }
        const ScanPattern* p = match(bytes, i);
        if (!p) continue;
        const std::int32_t time = int32At(bytes, i + p->timeAt);
        if (time > 0) {
            const std::int64_t s = out.secondsOf(unixTimestamp(time));
            out.offer(s, semicirclesToMinutes(int32At(bytes, i + p->latAt)),
                      semicirclesToMinutes(int32At(bytes, i + p->lonAt)));
        }
        // Matched bytes are never tested again, stored or not.
        skip = p->recordLength - 3;
    }
    return out.take();
}

}  // namespace

std::vector<TrackPoint> readTrb(std::string_view bytes, const ReadWindow& window) {
    return readFixedRecords(bytes, 12, window);
}

int trlRecordSize(std::string_view bytes) {
    // Too short to hold a second 20-byte record's time: at most one record
    // fits either way.
    if (bytes.size() < 24) return 16;
    const std::int64_t t0 = int32At(bytes, 0);
    const std::int64_t a = int32At(bytes, 16);
    const std::int64_t b = int32At(bytes, 20);
    return std::llabs(t0 - a) < std::llabs(t0 - b) ? 16 : 20;
}

std::vector<TrackPoint> readTrl(std::string_view bytes, const ReadWindow& window) {
    // The record count is rounded, but a trailing partial record holds no
    // whole fix and is never read.
    return readFixedRecords(bytes, static_cast<std::size_t>(trlRecordSize(bytes)), window);
}

std::vector<TrackPoint> readGdb(std::string_view bytes, const ReadWindow& window) {
    return scanRecords(bytes, window, matchGdb);
}

std::vector<TrackPoint> readMps(std::string_view bytes, const ReadWindow& window) {
    return scanRecords(bytes, window, matchMps);
}

}  // namespace korvane

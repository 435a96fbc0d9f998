#include "tracks/vkx_reader.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace korvane {

namespace {

static_assert(std::endian::native == std::endian::little,
              "VKX rows are little-endian and read in place");

constexpr int kUnknown = -1;

enum Key : unsigned char {
    kPosition = 0x02,
    kTimerEvent = 0x04,
    kLineEnd = 0x05,
};

// Payload size of every key the format defines. A row of any other key
// cannot be stepped over, so reading ends there.
constexpr std::array<int, 256> kPayloadBytes = [] {
    std::array<int, 256> sizes{};
    sizes.fill(kUnknown);
    sizes[0xFF] = 7;   // page header
    sizes[0xFE] = 2;   // page terminator
    sizes[0x02] = 44;  // position
    sizes[0x03] = 20;  // declination
    sizes[0x04] = 13;  // race timer event
    sizes[0x05] = 17;  // start line end
    sizes[0x06] = 18;  // shift angle
    sizes[0x08] = 13;  // device configuration
    sizes[0x0A] = 16;  // apparent wind
    sizes[0x0B] = 16;  // speed through water
    sizes[0x0C] = 12;  // depth
    sizes[0x0F] = 16;  // load cell
    sizes[0x10] = 12;  // temperature
    // Rows the instrument keeps for itself.
    sizes[0x01] = 32;
    sizes[0x07] = 12;
    sizes[0x0E] = 16;
    sizes[0x20] = 13;
    sizes[0x21] = 52;
    return sizes;
}();

template <class T>
T valueAt(const char* row, std::size_t offset) {
    T v;
    std::memcpy(&v, row + offset, sizeof v);
    return v;
}

constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Whole UTC seconds of a row's millisecond time, as a Timestamp.
Timestamp timestampOf(std::uint64_t unixSeconds) {
    return kUnixEpochTimestamp + static_cast<double>(unixSeconds) / kSecondsPerDay;
}

double courseDegreesOf(float radians) {
    double d = static_cast<double>(radians) * kDegreesPerRadian;
    if (!std::isfinite(d)) return 0;
    d = std::fmod(d, 360.0);
    if (d < 0) d += 360;
    // A tiny negative angle plus 360 rounds to 360 itself: north.
    return d >= 360 ? 0 : d;
}

bool isPosition(double latDegrees, double lonDegrees) {
    return std::fabs(latDegrees) <= 90 && std::fabs(lonDegrees) <= 180;
}

class VkxRows {
  public:
    VkxRows(const ReadWindow& window, std::size_t expectedFixes) : out_(window, expectedFixes) {}

    // Returns false when reading must end (a fix past the window).
    bool position(const char* p) {
        const std::uint64_t seconds = valueAt<std::uint64_t>(p, 0) / 1000;
        // The model keeps whole seconds: of the rows a fast logger writes
        // within one second, the first one stands for it.
        if (haveSecond_ && seconds == lastSecond_) return true;
        haveSecond_ = true;
        lastSecond_ = seconds;
        const double lat = valueAt<std::int32_t>(p, 8) / 1e7;
        const double lon = valueAt<std::int32_t>(p, 12) / 1e7;
        if (!isPosition(lat, lon)) return true;
        const std::int64_t s = out_.secondsOf(timestampOf(seconds));
        const FixCollector::Verdict v = out_.judge(s);
        if (v == FixCollector::Verdict::Stop) return false;
        if (v == FixCollector::Verdict::Store)
            out_.store(s, lat * 60, lon * 60,
                       static_cast<double>(valueAt<float>(p, 16)) * kKnotsPerMetrePerSecond,
                       courseDegreesOf(valueAt<float>(p, 20)));
        return true;
    }

    void timerEvent(const char* p) {
        const unsigned code = static_cast<unsigned char>(p[8]);
        if (code > 4) return;
        InstrumentEvent e;
        e.kind = static_cast<InstrumentEvent::Kind>(code);
        e.timerSeconds = valueAt<std::int32_t>(p, 9);
        keep(e, valueAt<std::uint64_t>(p, 0));
    }

    void lineEnd(const char* p) {
        const unsigned end = static_cast<unsigned char>(p[8]);
        const double lat = valueAt<float>(p, 9);
        const double lon = valueAt<float>(p, 13);
        if (end > 1 || !isPosition(lat, lon)) return;
        InstrumentEvent e;
        e.kind = end == 0 ? InstrumentEvent::Kind::PinEnd : InstrumentEvent::Kind::BoatEnd;
        e.latMinutes = lat * 60;
        e.lonMinutes = lon * 60;
        keep(e, valueAt<std::uint64_t>(p, 0));
    }

    LogContents finish(std::string warning) {
        LogContents c;
        c.fixes = out_.take();
        c.loggedCourseAndSpeed = true;
        c.events = std::move(events_);
        c.warning = std::move(warning);
        return c;
    }

  private:
    // Events of the hour before the start (the line is pinged and the
    // timer started well before the gun) up to the end of the window.
    void keep(InstrumentEvent& e, std::uint64_t ms) {
        if (events_.size() >= kMaxInstrumentEvents) return;
        const std::int64_t s = out_.secondsOf(timestampOf(ms / 1000));
        const double t = static_cast<double>(s);
        if (t < -3600 || t >= out_.upperBound()) return;
        e.timeSeconds = t;
        events_.push_back(e);
    }

    FixCollector out_;
    std::vector<InstrumentEvent> events_;
    bool haveSecond_ = false;
    std::uint64_t lastSecond_ = 0;
};

std::string hexByte(unsigned v) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[v >> 4] + kDigits[v & 15];
}

}  // namespace

LogContents readVkx(std::string_view bytes, const ReadWindow& window) {
    VkxRows rows(window, bytes.size() / 45);
    const char* base = bytes.data();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const unsigned key = static_cast<unsigned char>(base[pos]);
        const int size = kPayloadBytes[key];
        if (size == kUnknown)
            return rows.finish("unknown row " + hexByte(key) + " at byte " + std::to_string(pos) +
                               "; the rest of the log is not read");
        // A last row cut short (the logger lost power) is dropped.
        if (bytes.size() - pos - 1 < static_cast<std::size_t>(size)) break;
        const char* payload = base + pos + 1;
        if (key == kPosition) {
            if (!rows.position(payload)) break;
        } else if (key == kTimerEvent) {
            rows.timerEvent(payload);
        } else if (key == kLineEnd) {
            rows.lineEnd(payload);
        }
        pos += 1 + static_cast<std::size_t>(size);
    }
    return rows.finish({});
}

}  // namespace korvane

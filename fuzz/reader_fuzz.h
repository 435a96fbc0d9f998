// Shared body of the log reader fuzz targets. Besides "no crash, no read
// outside the buffer" (the sanitizers' part), every fix a reader returns
// must lie inside the race window and have finite coordinates.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "tracks/reader_table.h"

namespace korvane::fuzz {

// 2024-05-12 02:00:00 UTC, the start the corpus logs are written around.
inline constexpr std::int32_t kSeedStartUnix = 1715479200;

inline ReadWindow windowFor(std::string_view extension, std::int32_t startUnix) {
    ReadWindow w;
    const ReaderEntry* entry = readerForFile(extension);
    if (!entry) __builtin_trap();
    w.startUtc = kUnixEpochTimestamp + startUnix / kSecondsPerDay;
    w.preStartSeconds = 300;
    w.timelineEnd = 5430;
    w.raceDate = std::floor(w.startUtc);
    w.timeOffsetSeconds = 0;
    w.kind = entry->window;
    w.stopsAfterWindow = entry->stopsAfterWindow;
    return w;
}

// The race starts at the first record's time, so fixed-record files built
// by the fuzzer land in the window as often as not.
inline std::int32_t startFromFirstRecord(std::string_view bytes) {
    std::int32_t t = kSeedStartUnix;
    if (bytes.size() >= 4) std::memcpy(&t, bytes.data(), 4);
    return t;
}

inline void checkFixes(const std::vector<TrackPoint>& fixes, const ReadWindow& w) {
    const double lower = -static_cast<double>(w.preStartSeconds) - 60;
    const double upper = w.timelineEnd + 120;
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const TrackPoint& p = fixes[i];
        if (!std::isfinite(p.latMinutes) || !std::isfinite(p.lonMinutes)) __builtin_trap();
        const bool inStandard = p.timeSeconds > lower && p.timeSeconds < upper;
        // Only slot 1 may hold a fix of the hour before, and only when the
        // window is the extended one.
        const bool inExtended = w.kind == WindowKind::Extended && i == 0 &&
                                p.timeSeconds >= -3599 && p.timeSeconds <= lower;
        if (!inStandard && !inExtended) __builtin_trap();
        if (p.timeSeconds != std::trunc(p.timeSeconds)) __builtin_trap();
    }
    // Spare capacity is allowed up to the memory budget of a fix.
    if (fixes.capacity() * sizeof(TrackPoint) > fixes.size() * kMaxTrackBytesPerFix)
        __builtin_trap();
}

}  // namespace korvane::fuzz

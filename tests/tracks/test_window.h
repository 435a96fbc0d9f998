// The race window the reader tests share: start 2024-05-12 02:00:00 UTC,
// five minutes of pre-start, timeline end 5430 s. Stored fixes therefore
// have -360 < s < 5550.
#pragma once

#include <cmath>

#include "log_builders.h"
#include "tracks/reader_table.h"

namespace korvane::testlogs {

inline ReadWindow windowFor(std::string_view extension, std::int32_t offsetSeconds = 0) {
    const ReaderEntry* entry = readerForFile(extension);
    ReadWindow w;
    w.startUtc = kUnixEpochTimestamp + static_cast<double>(kStartUnix) / kSecondsPerDay;
    w.preStartSeconds = 300;
    w.timelineEnd = 5430;
    w.timeOffsetSeconds = offsetSeconds;
    w.raceDate = std::floor(w.startUtc);
    if (entry) {
        w.kind = entry->window;
        w.stopsAfterWindow = entry->stopsAfterWindow;
    }
    return w;
}

inline constexpr double kLowerBound = -360;  // stored when s > this
inline constexpr double kUpperBound = 5550;  // stored when s < this

}  // namespace korvane::testlogs

// The one table from a log's extension to its reader and the per-reader
// rules the import applies. What the window does after reading a log (a
// beep, the zoom) is the window's business: view/log_feedback.h. Adding a format: write the reader
// (bytes and a ReadWindow in, fixes out), add its row here, a test file in tests/tracks/ and a fuzz
// target in fuzz/.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"
#include "tracks/log_contents.h"

namespace korvane {

// A reader of positions only.
using TrackReader = std::vector<TrackPoint> (*)(std::string_view bytes, const ReadWindow& window);
// What the table calls: a reader of everything a log holds.
using LogReader = LogContents (*)(std::string_view bytes, const ReadWindow& window);

struct ReaderEntry {
    std::string_view extension;  // lower case, without the dot
    LogReader read;
    WindowKind window;
    // Capacity rule of the fix table: when count > capacity - margin the
    // capacity becomes count + step. Kept for the record; the tracks here
    // grow geometrically and are shrunk to fit after reading.
    int growthMargin;
    int growthStep;
    // fixInterval is 30 up to this many fixes, else measured.
    int intervalThreshold;
    bool stopsAfterWindow;
};

std::span<const ReaderEntry> readerTable();

// The reader whose extension ends the file name, letter case ignored (for
// the three-letter extensions of the old loggers, no dot is needed: the
// last three characters decide). nullptr for any other name.
const ReaderEntry* readerForFile(std::string_view fileName);

// True when `fileName` ends with `extension` (given in lower case), letter
// case ignored. Shared with the table of converted formats.
bool endsWithExtension(std::string_view fileName, std::string_view extension);

}  // namespace korvane

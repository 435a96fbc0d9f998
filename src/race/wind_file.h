// The wind history of a race: the CSV file in winddat/ that the race file's
// WF line names (a header line, then "date time, TWS, TWD" lines).
#pragma once

#include <filesystem>
#include <string_view>

#include "race/model.h"

namespace korvane {

struct WindReadResult {
    bool fileFound = false;
    int badLine = 0;  // 1-based line number that stopped the reading, 0 = none
};

// Parses wind-file bytes into model.windSamples and model.maxTws. A line
// whose date or number does not convert stops the reading; the samples read
// so far stay.
WindReadResult parseWindFile(std::string_view bytes, RaceModel& model);

// Reads winddat/<WF> below dataRoot (names matched case-insensitively).
// A missing file leaves no samples and clears Race::windFile, which later
// steps take to mean "no wind data".
WindReadResult readWindFile(const std::filesystem::path& dataRoot, RaceModel& model);

}  // namespace korvane

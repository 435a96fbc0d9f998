// The wind history of a race: the CSV file in winddat/ that the race file's
// WF line names (a header line, then "date time, TWS, TWD" lines).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "race/model.h"

namespace korvane {

// Years of one-minute wind samples fit many times over; a file larger than
// this is not a wind log.
inline constexpr std::uintmax_t kMaxWindFileBytes = std::uintmax_t{16} << 20;

struct WindReadResult {
    bool fileFound = false;
    int badLine = 0;  // 1-based line number that stopped the reading, 0 = none
    // Why a named wind file was refused ("not a regular file", "binary
    // data", ...); empty when it was read or is simply missing.
    std::string problem;
};

// Parses wind-file bytes into model.windSamples and model.maxTws. A line
// whose date or number does not convert stops the reading; the samples read
// so far stay.
WindReadResult parseWindFile(std::string_view bytes, RaceModel& model);

// Reads winddat/<WF> below dataRoot (names matched case-insensitively).
// A missing or refused file (not a regular file, too large, binary, a name
// leaving winddat/) leaves no samples and clears Race::windFile, which later
// steps take to mean "no wind data".
WindReadResult readWindFile(const std::filesystem::path& dataRoot, RaceModel& model);

}  // namespace korvane

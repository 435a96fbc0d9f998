// The wind history of a race: the CSV file in winddat/ that the race file's
// WF line names (a header line, then "date time, TWS, TWD" lines).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// The wind file a race writes: its file name up to the first ".", then
// "_wind.csv" ("race.final.txt" -> "race_wind.csv").
std::string windFileNameFor(std::string_view raceFileName);

// The samples in time order (a history may be drawn in any order), as the
// file's bytes: a header, then "YYYY/MM/DD hh:mm:ss,0,TWD" lines that read
// back the same on any machine. Drawn samples carry no wind speed.
std::string windFileBytes(std::vector<WindSample> samples, Timestamp raceStart);

struct WindWriteResult {
    bool ok = false;
    std::string fileName;  // inside winddat/
    std::string message;   // why it failed
};

// Writes winddat/<windFileNameFor(raceFileName)> atomically, making the
// folder when the data root has none.
WindWriteResult writeWindFile(const std::filesystem::path& dataRoot, std::string_view raceFileName,
                              const std::vector<WindSample>& samples, Timestamp raceStart);

}  // namespace korvane

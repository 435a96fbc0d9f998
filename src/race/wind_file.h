// The wind history of a race: the CSV file in winddat/ that the race file's
// WF line names (a header line, then "date time, TWS, TWD" lines).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
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

// The wind file a race writes: its file name (at most its first 50 bytes,
// never half a character) up to the first ".", then "_wind.csv"
// ("race.final.txt" -> "race_wind.csv"), as UTF-8 text for the WF line.
std::string windFileNameFor(std::string_view raceFileName);

// Why the WF line could not give this name back to the reader, which
// splits it at a backslash or "/", trims its blanks and reads it in the race
// file's encoding; empty when it can.
std::string windNameProblem(std::string_view windFileName, TextEncoding raceFileEncoding);

// Where "Save Wind Data" should write, decided before anything is written.
// Two races may come to the same name ("a.b.txt" and "a.c.txt" both give
// "a_wind.csv"); a file the race does not name already, or one another race
// file names, is another race's wind and is only overwritten when the user
// says so. Otherwise the wind goes to `alternative`, a free name made from
// the whole race file name ("a.c_wind.csv").
struct WindFilePlan {
    std::string fileName;  // inside winddat/
    std::string refusal;   // not empty: nothing may be written, and why
    bool askToOverwrite = false;
    std::string question;     // for askToOverwrite
    std::string alternative;  // the answer No; empty when no free name is left
};

WindFilePlan planWindFile(const std::filesystem::path& dataRoot,
                          const std::filesystem::path& raceFile, std::string_view currentWindFile);

// The samples in time order (a history may be drawn in any order), as the
// file's bytes: a header, then "YYYY/MM/DD hh:mm:ss,0,TWD" lines that read
// back the same on any machine. Drawn samples carry no wind speed.
std::string windFileBytes(std::vector<WindSample> samples, Timestamp raceStart);

struct WindWriteResult {
    bool ok = false;
    std::string fileName;  // inside winddat/
    std::string message;   // why it failed
};

// Writes winddat/<windFileName> atomically, making the folder when the data
// root has none. A name or a link leading out of the data root is refused.
WindWriteResult writeWindFile(const std::filesystem::path& dataRoot, std::string_view windFileName,
                              const std::vector<WindSample>& samples, Timestamp raceStart);

}  // namespace korvane

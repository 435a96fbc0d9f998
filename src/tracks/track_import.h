// Turns every boat's GPS log into its track when a race opens. Logs are read
// and parsed in parallel (the readers are pure); the per-boat rules (point
// count, fix interval, corrected time, dropping boats with too few fixes)
// are then applied in boat order, so the race comes out exactly as a serial
// load would build it.
#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "race/model.h"
#include "tracks/fix_collector.h"
#include "tracks/log_conversion.h"
#include "tracks/log_file.h"
#include "tracks/reader_table.h"
#include "tracks/time_order.h"

namespace korvane {

// A boat whose log gives fewer fixes than this is removed from the race.
inline constexpr int kMinimumTrackPoints = 15;

// What reading one log gave, before the per-boat rules.
struct LogReadResult {
    const ReaderEntry* reader = nullptr;  // nullptr: unknown extension
    bool fileFound = false;
    std::vector<TrackPoint> fixes;
    // Why a log that is there was not read ("not a regular file", "larger
    // than 1024 MB", a name leaving gpsdat/); empty when it was read.
    std::string problem;
    TimeOrderRepair timeOrder;
    bool loggedCourseAndSpeed = false;
    std::vector<InstrumentEvent> events;
    // Why the log gave less than it holds, its name first; empty when it
    // was read to the end.
    std::string warning;
};

// What one log gave: its format and how many fixes were read from it.
struct LogOutcome {
    std::string format;  // the reader's extension; empty when no reader took the log
    int fixCount = 0;
};

struct TrackImportResult {
    int droppedBoats = 0;
    // Every log read, in boat order, those of dropped boats included; the
    // window decides from them what to sound and whether to reset the zoom.
    std::vector<LogOutcome> logs;
    // For the user, one per boat and finding, naming the boat.
    std::vector<std::string> warnings;
};

// The log being read is the n-th of count (n counts from 1, for the user); called on the calling
// thread, in boat order.
using LoadingProgress = std::function<void(int n, int count, const std::string& logFile)>;

// The race's window for one boat read by `reader`.
ReadWindow readWindowFor(const Race& race, const Boat& boat, const ReaderEntry& reader);

// Finds `boat.logFile` below gpsDir (letter case ignored), picks the reader
// (or the converter), reads it and puts the fixes in time order. Touches no
// shared state but the converter's cache, so any thread may call it. A log
// that cannot be read leaves the boat without fixes and says why; it never
// fails the race. A stop request kills a running converter.
LogReadResult readBoatLog(const std::filesystem::path& gpsDir, const Race& race, const Boat& boat,
                          LogBuffer& buffer, const ConversionOptions& conversion,
                          std::stop_token stop = {});

// The warnings one boat's log gives: "boat NAME (LOG): ...".
std::vector<std::string> logWarnings(const Boat& boat, const LogReadResult& log);

// fixInterval of a track: 30 up to `threshold` fixes, else the mean spacing
// of the fixes between the fifth and the fifth from the end, rounded.
std::int32_t fixIntervalOf(const std::vector<TrackPoint>& track, int threshold);

// Stores a read log in the boat: the track, its format, fix count and
// interval and, in corrected-time mode, the scaled times.
void applyBoatLog(Boat& boat, LogReadResult log, const Race& race);

// Loads every boat of the model, drops boats with fewer than 15 fixes
// (moving the later boats up, with all their attributes) and, in
// corrected-time mode, ends the timeline at the last fix. threads = 0 uses
// every core; 1 reads serially. A stop request ends the reading between
// logs (and kills a running converter) and throws Cancelled, leaving the
// model half loaded.
TrackImportResult loadAllTracks(RaceModel& model, const std::filesystem::path& dataRoot,
                                const LoadingProgress& progress = {}, unsigned threads = 0,
                                const ConversionOptions& conversion = defaultConversionOptions(),
                                std::stop_token stop = {});

// How loadAllTracks reads one boat's log: readBoatLog below gpsdat/, with
// the reading thread's buffer. Called on several threads at once.
using BoatLogRead = std::function<LogReadResult(const Boat&, LogBuffer&, std::stop_token)>;

// loadAllTracks with its reading given: whatever one boat's reading throws
// (but Cancelled) becomes that boat's warning, and the boat is dropped.
TrackImportResult importTracks(RaceModel& model, const BoatLogRead& read,
                               const LoadingProgress& progress, unsigned threads,
                               std::stop_token stop);

// One boat, as for a log dropped on the window; its warnings are appended
// to `warnings` when given.
void loadTrack(Boat& boat, const Race& race, const std::filesystem::path& dataRoot,
               std::vector<std::string>* warnings = nullptr,
               const ConversionOptions& conversion = defaultConversionOptions());

}  // namespace korvane

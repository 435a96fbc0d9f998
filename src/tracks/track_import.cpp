#include "tracks/track_import.h"

#include <algorithm>
#include <climits>
#include <new>

#include "base/file_io.h"
#include "base/numbers.h"
#include "base/parallel.h"
#include "base/paths.h"
#include "tracks/log_file.h"

namespace korvane {

namespace fs = std::filesystem;

ReadWindow readWindowFor(const Race& race, const Boat& boat, const ReaderEntry& reader) {
    ReadWindow w;
    w.startUtc = race.startUtc;
    w.preStartSeconds = race.preStartSeconds;
    w.timelineEnd = race.timelineEnd;
    w.timeOffsetSeconds = boat.timeOffsetSeconds;
    w.raceDate = race.date;
    w.kind = reader.window;
    w.stopsAfterWindow = reader.stopsAfterWindow;
    return w;
}

namespace {

void take(LogReadResult& result, LogContents contents, const Boat& boat) {
    result.fixes = std::move(contents.fixes);
    result.loggedCourseAndSpeed = contents.loggedCourseAndSpeed;
    result.events = std::move(contents.events);
    if (!contents.warning.empty()) result.warning = boat.logFile + ": " + contents.warning;
}

}  // namespace

LogReadResult readBoatLog(const fs::path& gpsDir, const Race& race, const Boat& boat,
                          LogBuffer& buffer, const ConversionOptions& conversion,
                          std::stop_token stop) {
    LogReadResult result;
    if (leavesFolder(boat.logFile)) {
        result.problem = "the log name leaves the gpsdat folder; refused";
        return result;
    }
    const auto path = resolveCaseInsensitive(gpsDir, boat.logFile);
    if (!path) return result;
    result.reader = readerForFile(boat.logFile);
    if (!result.reader) {
        const std::string_view format = converterFormatFor(boat.logFile);
        if (format.empty()) return result;
        // A converted log is GPX by the time it is read, and keeps the GPX
        // row's rules.
        std::error_code ec;
        if (!fs::is_regular_file(*path, ec)) {
            result.problem = "log skipped, not a regular file";
            return result;
        }
        result.fileFound = true;
        result.reader = readerForFile("gpx");
        take(result,
             readConvertedLog(*path, format, readWindowFor(race, boat, *result.reader), conversion,
                              std::move(stop)),
             boat);
        result.timeOrder = putInTimeOrder(result.fixes);
        return result;
    }
    const LogBytes bytes = buffer.read(*path);
    if (!bytes.bytes) {
        if (bytes.failure != ReadFailure::NotFound)
            result.problem = "log skipped, " + describeReadFailure(bytes.failure, kMaxLogBytes);
        return result;
    }
    result.fileFound = true;
    try {
        take(result, result.reader->read(*bytes.bytes, readWindowFor(race, boat, *result.reader)),
             boat);
    } catch (const std::bad_alloc&) {
        result.fixes.clear();
        result.problem = "log skipped, " + describeReadFailure(ReadFailure::OutOfMemory);
        return result;
    }
    result.timeOrder = putInTimeOrder(result.fixes);
    return result;
}

std::vector<std::string> logWarnings(const Boat& boat, const LogReadResult& log) {
    std::vector<std::string> warnings;
    const std::string who = "boat " + boat.name + " (" + boat.logFile + "): ";
    if (!log.problem.empty()) warnings.push_back(who + log.problem);
    if (log.timeOrder.outOfOrder > 0)
        warnings.push_back(who + std::to_string(log.timeOrder.outOfOrder) +
                           " fixes out of time order, sorted");
    if (log.timeOrder.repeated > 0)
        warnings.push_back(who + std::to_string(log.timeOrder.repeated) +
                           " fixes repeating an earlier time, dropped");
    return warnings;
}

std::int32_t fixIntervalOf(const std::vector<TrackPoint>& track, int threshold) {
    const int count = static_cast<int>(track.size());
    if (count <= threshold || count <= 10) return 30;
    // From the fifth fix to the sixth from the end.
    const double span =
        track[static_cast<std::size_t>(count - 6)].timeSeconds - track[4].timeSeconds;
    const std::int64_t interval = roundHalfEvenToInt(span / (count - 10));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(interval, INT32_MIN, INT32_MAX));
}

void applyBoatLog(Boat& boat, LogReadResult log, const Race& race) {
    boat.track = std::move(log.fixes);
    boat.loggedCourseAndSpeed = log.loggedCourseAndSpeed && !boat.track.empty();
    boat.instrumentEvents = std::move(log.events);
    boat.logFormat = log.reader ? std::string(log.reader->extension) : std::string();
    boat.loggedFixCount = boat.pointCount();
    const int threshold = log.reader ? log.reader->intervalThreshold : 100;
    boat.fixIntervalSeconds = fixIntervalOf(boat.track, threshold);
    // Corrected time: race seconds after the start are stretched by the
    // boat's factor; short logs and the pre-start are left as they are.
    if (race.timeMode == TimeMode::Corrected && boat.pointCount() > 100 && boat.tcf > 0) {
        for (TrackPoint& p : boat.track)
            if (p.timeSeconds > 0) p.timeSeconds = roundHalfEven(p.timeSeconds * boat.tcf);
        for (InstrumentEvent& e : boat.instrumentEvents)
            if (e.timeSeconds > 0) e.timeSeconds = roundHalfEven(e.timeSeconds * boat.tcf);
        // Speeds over stretched times are what the other boats show; the
        // logged ones would not compare.
        boat.loggedCourseAndSpeed = false;
    }
}

namespace {

struct Keeper {
    RaceModel& model;
    TrackImportResult result;
    FixedTable<Boat, kMaxBoats> kept;

    void take(Boat& boat, LogReadResult log) {
        for (std::string& w : logWarnings(boat, log)) result.warnings.push_back(std::move(w));
        if (!log.warning.empty()) result.warnings.push_back(std::move(log.warning));
        applyBoatLog(boat, std::move(log), model.race);
        result.logs.push_back({boat.logFormat, boat.loggedFixCount});
        if (boat.pointCount() < kMinimumTrackPoints)
            ++result.droppedBoats;
        else
            kept.append(std::move(boat));
    }

    void finish() {
        model.boats = std::move(kept);
        Race& race = model.race;
        if (race.timeMode == TimeMode::Corrected) {
            double latest = 600;
            for (const Boat& b : model.boats)
                if (!b.track.empty()) latest = std::max(latest, b.track.back().timeSeconds);
            race.timelineEnd = roundHalfEven(latest);
            race.timelineLength = static_cast<std::int32_t>(
                roundHalfEvenToInt(race.timelineEnd - race.timelineBegin));
        }
    }
};

// Any failure of one boat's reading is that boat's finding; a stop request
// is the whole opening's.
LogReadResult readGuarded(const BoatLogRead& read, const Boat& boat, LogBuffer& buffer,
                          std::stop_token stop) {
    LogReadResult failed;
    try {
        return read(boat, buffer, std::move(stop));
    } catch (const Cancelled&) {
        throw;
    } catch (const std::bad_alloc&) {
        failed.problem = "log skipped, " + describeReadFailure(ReadFailure::OutOfMemory);
    } catch (const std::exception& e) {
        failed.problem = std::string("log skipped, its reader failed: ") + e.what();
    } catch (...) {
        failed.problem = "log skipped, its reader failed";
    }
    return failed;
}

}  // namespace

TrackImportResult importTracks(RaceModel& model, const BoatLogRead& read,
                               const LoadingProgress& progress, unsigned threads,
                               std::stop_token stop) {
    const int count = model.boatCount();
    Keeper keeper{model, {}, {}};
    // Workers read copies of the boats (names, offsets); the boats
    // themselves change on this thread, in boat order, as each log is in.
    std::vector<Boat> snapshot(model.boats.begin(), model.boats.end());
    for (Boat& b : snapshot) b.track.clear();
    InOrderOptions options;
    options.threads = static_cast<int>(std::min<unsigned>(threads, INT_MAX));
    std::vector<LogBuffer> buffers(
        static_cast<std::size_t>(inOrderWorkers(count, options.threads)));
    const auto logFileOf = [&](int b) -> const std::string& {
        return snapshot[static_cast<std::size_t>(b)].logFile;
    };
    if (progress && count > 0) progress(1, count, logFileOf(0));
    forEachInOrder(
        count,
        [&](int b, int worker) {
            return readGuarded(read, snapshot[static_cast<std::size_t>(b)],
                               buffers[static_cast<std::size_t>(worker)], stop);
        },
        [&](int b, LogReadResult log) {
            keeper.take(model.boats[b], std::move(log));
            // The splash names the log waited for next.
            if (progress && b + 1 < count) progress(b + 2, count, logFileOf(b + 1));
        },
        stop, options);
    keeper.finish();
    return keeper.result;
}

TrackImportResult loadAllTracks(RaceModel& model, const fs::path& dataRoot,
                                const LoadingProgress& progress, unsigned threads,
                                const ConversionOptions& conversion, std::stop_token stop) {
    const fs::path gpsDir = dataRoot / "gpsdat";
    const Race race = model.race;
    return importTracks(
        model,
        [&](const Boat& boat, LogBuffer& buffer, std::stop_token token) {
            return readBoatLog(gpsDir, race, boat, buffer, conversion, std::move(token));
        },
        progress, threads, std::move(stop));
}

void loadTrack(Boat& boat, const Race& race, const fs::path& dataRoot,
               std::vector<std::string>* warnings, const ConversionOptions& conversion) {
    LogBuffer buffer;
    const fs::path gpsDir = dataRoot / "gpsdat";
    LogReadResult log =
        readGuarded([&](const Boat& b, LogBuffer& into,
                        std::stop_token) { return readBoatLog(gpsDir, race, b, into, conversion); },
                    boat, buffer, {});
    if (warnings)
        for (std::string& w : logWarnings(boat, log)) warnings->push_back(std::move(w));
    applyBoatLog(boat, std::move(log), race);
}

}  // namespace korvane

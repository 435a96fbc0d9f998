// The one race held in memory: settings of the race file, classes, boats with
// their tracks, marks, lines, the course and the wind. Every table is
// numbered from 0 and has the capacity the race files were designed for; a
// boat added by dropping a log is kept apart from the table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/fixed_table.h"
#include "base/local_plane.h"
#include "base/timestamp.h"

namespace korvane {

inline constexpr int kMaxBoats = 81;
inline constexpr int kMaxClasses = 10;
inline constexpr int kMaxMarks = 20;
inline constexpr int kMaxLines = 10;
inline constexpr int kMaxRefLines = 10;
inline constexpr int kMaxCoastFiles = 10;
inline constexpr int kMaxAttachments = 10;
inline constexpr int kMaxCourseEntries = 20;
inline constexpr int kMaxRaces = 200;

// Elapsed time: race seconds as logged. Corrected time: the seconds after
// the start stretched by each boat's time correction factor.
enum class TimeMode { Elapsed, Corrected };

// One fix. Times are race seconds (from Race::start, negative before it);
// positions are minutes of arc, north and east positive.
struct TrackPoint {
    double timeSeconds = 0;
    double latMinutes = 0;
    double lonMinutes = 0;
    double speedKnots = 0;
    double courseDegrees = 0;
};

// The memory a track may hold per fix, spare capacity included. Trimming
// to exactly the size would copy every track once more at each opening.
inline constexpr std::size_t kMaxTrackBytesPerFix = 48;

inline void releaseSpareCapacity(std::vector<TrackPoint>& track) {
    if (track.capacity() * sizeof(TrackPoint) > track.size() * kMaxTrackBytesPerFix)
        track.shrink_to_fit();
}

// What a racing instrument logged besides its fixes: the ends of the start
// line as the crew pinged them and the events of its race timer. Kept beside
// the track; nothing in the replay or the analysis depends on them.
struct InstrumentEvent {
    enum class Kind { TimerReset, TimerStart, TimerSync, RaceStart, RaceEnd, PinEnd, BoatEnd };
    Kind kind = Kind::TimerReset;
    double timeSeconds = 0;   // race seconds, the boat's offset included
    double timerSeconds = 0;  // timer events: the timer's reading
    double latMinutes = 0;    // line ends: where the end was pinged
    double lonMinutes = 0;
};

struct BoatClass {
    std::string name;
};

struct Boat {
    std::string logFile;
    std::string name;
    std::optional<int> classIndex;  // into RaceModel::classes; empty: no class
    double tcf = 0;                 // time correction factor, 0 = none
    float lengthMetres = 4.7f;
    std::int32_t timeOffsetSeconds = 0;
    bool visible = true;
    bool mayFinish = true;     // false: the boat's finish never counts
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::int32_t fixIntervalSeconds = 30;
    int fileLine = 0;  // the race file's BN line, for messages
    // The fixes in time order.
    std::vector<TrackPoint> track;
    // The log recorded speed and course with every fix, so they are kept
    // instead of being derived from the positions.
    bool loggedCourseAndSpeed = false;
    std::vector<InstrumentEvent> instrumentEvents;
    // The format of the log the track came from (its reader's extension,
    // empty when none was read) and the fixes it gave before any cut.
    std::string logFormat;
    int loggedFixCount = 0;

    int pointCount() const { return static_cast<int>(track.size()); }
};

struct Mark {
    double latMinutes = 0;
    double lonMinutes = 0;
};

struct Line {
    double lat1Minutes = 0;
    double lon1Minutes = 0;
    double lat2Minutes = 0;
    double lon2Minutes = 0;
};

using ReferenceLine = Line;

struct WindSample {
    double timeSeconds = 0;
    double tws = 0;  // as written in the wind file
    int twdDegrees = 0;
};

// Race-level settings; the comments name the race-file keyword.
struct Race {
    std::string title;     // T1
    std::string subtitle;  // T2
    std::string note;      // NOTE
    std::string flagText;  // FLG, kept only to be written back
    std::string caption;
    std::string captionDate;

    Timestamp start = 0;             // ST, local
    Timestamp finish = 0;            // FT, local
    std::int32_t timeZoneHours = 0;  // TD
    Timestamp startUtc = 0;
    Timestamp finishUtc = 0;
    Timestamp date = 0;

    std::int32_t preStartSeconds = 180;  // BT × 60
    double timelineBegin = -190;
    double timelineEnd = 30;
    std::int32_t timelineLength = 0;

    TimeMode timeMode = TimeMode::Elapsed;  // CT
    bool hasTcf = false;                    // the first boat has a factor

    double magneticVariation = 0;         // MG
    std::int32_t windDirectionInput = 0;  // WD
    std::int32_t windDirection = 0;
    std::array<std::int32_t, 2> laylineAngles{0, 0};  // LL
    bool northUp = false;                             // NU
    double defaultBoatLength = 4.7;                   // LG
    double playSpeed = 5.0;                           // PS field 1
    double playSpeed2 = 0;                            // PS field 2

    std::string windFile;                                  // WF
    FixedTable<std::string, kMaxCoastFiles> coastFiles;    // MAP
    float addArea = 5.0f;                                  // ADDAREA
    FixedTable<std::string, kMaxAttachments> attachments;  // AT
    std::string pictureFolder;                             // PIC
    std::string pictureFolderSaved;
    float pictureTimeOffset = 0;
    std::int32_t pictureSize = 400;
    FixedTable<std::string, kMaxCourseEntries> course;  // CRS
    int courseLine = 0;                                 // the CRS line, for messages

    int courseLength() const { return course.count(); }
};

// The whole race file content plus the tables later steps derive from it.
struct RaceModel {
    Race race;
    bool classesSeparated = false;
    FixedTable<BoatClass, kMaxClasses> classes;
    FixedTable<Boat, kMaxBoats> boats;
    Boat droppedBoat;  // added by dropping a log
    FixedTable<Mark, kMaxMarks> marks;
    FixedTable<Line, kMaxLines> lines;
    FixedTable<ReferenceLine, kMaxRefLines> refLines;
    std::vector<WindSample> windSamples;
    double maxTws = 0;

    int boatCount() const { return boats.count(); }
    int hiddenBoatCount() const;
};

}  // namespace korvane

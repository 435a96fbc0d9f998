// The one race held in memory: settings of the race file, classes, boats with
// their tracks, marks, lines, the course and the wind. Every table is 1-based
// with the capacity the race files were designed for; boat slot 0 belongs to
// a boat added by dropping a log.
#pragma once

#include <array>
#include <cstdint>
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

// Passing time of a course point a boat never reached.
inline constexpr double kNotPassedSeconds = 10'000'000.0;

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

struct BoatClass {
    std::string name;
};

struct Boat {
    std::string logFile;
    std::string name;
    int classIndex = 0;  // 1..classCount, 0 = no class
    double tcf = 0;      // time correction factor, 0 = none
    float lengthMetres = 4.7f;
    std::int32_t timeOffsetSeconds = 0;
    int visible = 1;
    int mayFinish = 1;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::int32_t fixIntervalSeconds = 30;
    int fileLine = 0;  // the race file's BN line, for messages
    // The fixes in time order; track[k - 1] is slot k of the fix table.
    std::vector<TrackPoint> track;

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

    std::int32_t correctedTimeMode = 0;  // CT
    int hasTcf = 0;

    double magneticVariation = 0;         // MG
    std::int32_t windDirectionInput = 0;  // WD
    std::int32_t windDirection = 0;
    std::array<std::int32_t, 2> laylineAngles{0, 0};  // LL
    std::int32_t northUp = 0;                         // NU
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

// Layout values of the boat panel, computed from the boat and class counts.
struct BoatPanelLayout {
    int rows = 0;
    int boatPanelHeight = 0;
    int classPanelHeight = 0;
};

// The whole race file content plus the tables later steps derive from it.
struct RaceModel {
    Race race;
    bool classesSeparated = false;
    FixedTable<BoatClass, kMaxClasses> classes;
    FixedTable<Boat, kMaxBoats> boats;
    Boat droppedBoat;  // slot 0
    FixedTable<Mark, kMaxMarks> marks;
    FixedTable<Line, kMaxLines> lines;
    FixedTable<ReferenceLine, kMaxRefLines> refLines;
    std::vector<WindSample> windSamples;
    double maxTws = 0;
    BoatPanelLayout panel;

    int boatCount() const { return boats.count(); }
    int hiddenBoatCount() const;
};

BoatPanelLayout computeBoatPanelLayout(int boatCount, int classCount, bool withClasses);

}  // namespace korvane

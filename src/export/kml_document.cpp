#include "export/kml_document.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/ordered_pieces.h"
#include "export/kml_colours.h"
#include "export/snapshot_plan.h"
#include "tracks/track_query.h"

namespace korvane {

namespace {

// Fixes of the wake the present scene draws behind each boat.
constexpr int kWakeFixes = 20;

bool exported(const Boat& boat, const KmlOptions& options) {
    return !options.hideUnfocusedBoats || boat.visible > 0;
}

Timestamp afterStart(const Race& race, double seconds) {
    return race.start + seconds / kSecondsPerDay;
}

// About what a track fix takes in the file: two numbers, commas, CR LF.
// A piece made with room for all it holds is never copied as it grows.
constexpr std::size_t kBytesPerFix = 41;

std::size_t snapshotBytes(const RaceModel& model, const SnapshotPlan& plan,
                          const KmlOptions& options) {
    // A boat placemark takes some 700 bytes, more with long names and paths.
    const std::size_t placemark = 600 + options.iconFolder.native().size();
    return static_cast<std::size_t>(plan.count) * static_cast<std::size_t>(model.boatCount()) *
               placemark +
           65536;
}

// The fixes first .. last of a boat's track (0-based, either order, both
// included); hidden boats, when exported, are drawn thin.
void boatTrack(const Boat& boat, int slot, int first, int last, KmlText& kml) {
    kml.lineStart(boat.name, boatKmlColourForSlot(slot), boat.visible > 0 ? 2 : 1);
    if (!boat.track.empty()) {
        const int step = first <= last ? 1 : -1;
        for (int j = first;; j += step) {
            const TrackPoint& p = boat.track[static_cast<std::size_t>(j)];
            kml.linePoint(p.latMinutes, p.lonMinutes);
            if (j == last) break;
        }
    }
    kml.lineEnd();
}

void marksAndLines(const RaceModel& model, const KmlIcons& icons, KmlText& kml) {
    kml.line({"<Folder><name>MARK_LINES</name>"});
    // Names number marks and lines from 1, as the race file does.
    for (int i = 0; i < model.marks.count(); ++i) {
        const Mark& m = model.marks[i];
        kml.buoy("MK" + std::to_string(i + 1), m.latMinutes, m.lonMinutes, icons);
    }
    for (int i = 0; i < model.lines.count(); ++i) {
        const Line& l = model.lines[i];
        const std::string n = std::to_string(i + 1);
        kml.lineStart("line" + n, boatKmlColourForSlot(i), 1);
        kml.linePoint(l.lat1Minutes, l.lon1Minutes);
        kml.linePoint(l.lat2Minutes, l.lon2Minutes);
        kml.lineEnd();
        kml.buoy("LINE" + n + "-P", l.lat1Minutes, l.lon1Minutes, icons);
        kml.buoy("LINE" + n + "-S", l.lat2Minutes, l.lon2Minutes, icons);
    }
    kml.line({"</Folder>"});
}

// Every boat at each time of the plan, and the marks and lines after them:
// the file's last piece.
std::string snapshotsToTheEnd(const RaceModel& model, const SnapshotPlan& plan,
                              const KmlOptions& options, const KmlIcons& icons) {
    const Race& race = model.race;
    KmlText kml(snapshotBytes(model, plan, options));
    kml.line({"</Folder>"});  // the tracks' folder
    kml.line({"<Folder><name>POINTS</name>"});
    kml.line({"<visibility>0</visibility>"});
    kml.line({"<open>1</open>"});
    std::vector<TrackCursor> cursors(static_cast<std::size_t>(model.boatCount()));
    for (int k = 0; k < plan.count; ++k) {
        const double t = plan.timeSeconds(k);
        const Timestamp when = afterStart(race, t);
        kml.line({"<Folder><name>", formatTimestamp(when), "</name>"});
        for (int b = 0; b < model.boatCount(); ++b) {
            const Boat& boat = model.boats[b];
            if (!exported(boat, options)) continue;
            const auto s = sampleAt(boat.track, t, cursors[static_cast<std::size_t>(b)]);
            // The interval between the last two fixes does not count here:
            // a boat found only there is left out of the snapshot.
            if (!s || s->fixIndex >= boat.pointCount() - 2) continue;
            // The figures of the fix the boat is sailing towards.
            const TrackPoint& next = boat.track[static_cast<std::size_t>(s->fixIndex) + 1];
            kml.boat(boat,
                     {when, s->latMinutes, s->lonMinutes, next.speedKnots, next.courseDegrees},
                     icons, options.language);
        }
        kml.line({"</Folder>"});
    }
    kml.line({"</Folder>"});

    marksAndLines(model, icons, kml);
    kml.line({"</Folder></kml>"});
    return kml.take();
}

}  // namespace

bool writeWholeRaceKml(const RaceModel& model, const KmlOptions& options, const ByteSink& sink) {
    const KmlIcons icons(options.iconFolder);
    const SnapshotPlan plan = snapshotPlan(model.race.timelineEnd);
    KmlText head;
    head.beginning(model.race.caption);
    head.line({"<Folder><name>Track Lines</name>"});
    if (!sink(head.take())) return false;

    // The tracks are most of the file, one piece a boat; the snapshots,
    // marks and lines are the last piece, and the largest, so it is begun
    // first.
    const int boats = model.boatCount();
    std::vector<int> order{boats};
    for (int b = 0; b < boats; ++b) order.push_back(b);
    const auto piece = [&](int i) -> std::string {
        if (i == boats) return snapshotsToTheEnd(model, plan, options, icons);
        const Boat& boat = model.boats[i];
        if (!exported(boat, options)) return {};
        KmlText kml(boat.track.size() * kBytesPerFix + 1024);
        boatTrack(boat, i, 0, boat.pointCount() - 1, kml);
        return kml.take();
    };
    return writePiecesInOrder(order, piece, sink, pieceHelpers());
}

std::string wholeRaceKml(const RaceModel& model, const KmlOptions& options) {
    std::string text;
    writeWholeRaceKml(model, options, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

std::string presentSceneKml(const RaceModel& model, double timeSeconds, const KmlOptions& options) {
    const KmlIcons icons(options.iconFolder);
    const Race& race = model.race;
    KmlText kml(static_cast<std::size_t>(model.boatCount()) * 2048 + 1024);
    kml.beginning(race.caption);

    const Timestamp when = afterStart(race, roundHalfEven(timeSeconds));
    const std::string whenText = formatTimestamp(when);
    kml.line({"<Folder><name>", whenText.substr(whenText.find(' ') + 1), "</name>"});
    for (int b = 0; b < model.boatCount(); ++b) {
        const Boat& boat = model.boats[b];
        if (!exported(boat, options)) continue;
        TrackCursor cursor;
        const auto s = sampleAt(boat.track, timeSeconds, cursor);
        if (!s) continue;
        boatTrack(boat, b, s->fixIndex, std::max(0, s->fixIndex - kWakeFixes), kml);
        kml.boat(boat, {when, s->latMinutes, s->lonMinutes, s->speedKnots, s->headingDegrees},
                 icons, options.language);
    }
    kml.line({"</Folder></Folder></kml>"});
    return kml.take();
}

}  // namespace korvane

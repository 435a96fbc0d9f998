#include "cli/info_command.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "analysis/maneuver_summary.h"
#include "base/numbers.h"
#include "base/timestamp.h"
#include "cli/json_writer.h"
#include "view/boat_panel_layout.h"

namespace korvane {

namespace {

// Yes/no values are written 0 and 1, as the race file writes them.
int flag(bool value) {
    return value ? 1 : 0;
}

void writeLine(JsonWriter& json, const Line& line) {
    json.beginObject()
        .field("lat1", line.lat1Minutes)
        .field("lon1", line.lon1Minutes)
        .field("lat2", line.lat2Minutes)
        .field("lon2", line.lon2Minutes)
        .endObject();
}

template <class Table>
void writeStrings(JsonWriter& json, const char* name, const Table& table) {
    json.key(name).beginArray();
    for (const std::string& s : table) json.value(s);
    json.endArray();
}

void writeRace(JsonWriter& json, const RaceSession& session) {
    const Race& r = session.model.race;
    json.key("race").beginObject();
    json.field("file", session.raceBaseName);
    json.field("title", r.title).field("subtitle", r.subtitle).field("note", r.note);
    json.field("caption", r.caption).field("captionDate", r.captionDate);
    json.field("start", formatTimestamp(r.start)).field("finish", formatTimestamp(r.finish));
    json.field("timeZoneHours", r.timeZoneHours);
    json.field("startUtc", formatTimestamp(r.startUtc));
    json.field("finishUtc", formatTimestamp(r.finishUtc));
    json.field("date", formatDate(r.date));
    json.field("preStartSeconds", r.preStartSeconds);
    json.field("timelineBegin", r.timelineBegin).field("timelineEnd", r.timelineEnd);
    json.field("timelineLength", r.timelineLength);
    json.field("correctedTimeMode", flag(r.timeMode == TimeMode::Corrected));
    json.field("hasTcf", flag(r.hasTcf));
    json.field("magneticVariation", r.magneticVariation);
    json.field("windDirectionInput", r.windDirectionInput);
    json.field("windDirection", r.windDirection);
    json.key("laylineAngles")
        .beginArray()
        .value(r.laylineAngles[0])
        .value(r.laylineAngles[1])
        .endArray();
    json.field("northUp", flag(r.northUp)).field("defaultBoatLength", r.defaultBoatLength);
    json.field("playSpeed", r.playSpeed).field("playSpeed2", r.playSpeed2);
    json.field("windFile", r.windFile);
    writeStrings(json, "coastFiles", r.coastFiles);
    json.field("addArea", static_cast<double>(r.addArea));
    writeStrings(json, "attachments", r.attachments);
    json.field("pictureFolder", r.pictureFolder);
    json.field("pictureFolderSaved", r.pictureFolderSaved);
    json.field("pictureTimeOffset", static_cast<double>(r.pictureTimeOffset));
    json.field("pictureSize", r.pictureSize);
    json.field("courseLength", r.courseLength());
    json.field("boatCount", session.model.boatCount());
    json.field("classCount", session.model.classes.count());
    json.field("hiddenBoatCount", session.model.hiddenBoatCount());
    const int classCount = session.model.classes.count();
    const BoatPanelLayout panel =
        computeBoatPanelLayout(session.model.boatCount(), classCount, classCount > 0);
    json.field("boatPanelRows", panel.rows);
    json.field("boatPanelHeight", panel.boatPanelHeight);
    json.field("classPanelHeight", panel.classPanelHeight);
    json.endObject();
}

void writeNumbers(JsonWriter& json, const char* name, const std::vector<double>& values) {
    json.key(name).beginArray();
    for (double v : values) json.value(v);
    json.endArray();
}

// Passing times; a point never passed is null.
void writeTimes(JsonWriter& json, const char* name,
                const std::vector<std::optional<double>>& times) {
    json.key(name).beginArray();
    for (const auto& t : times)
        if (t)
            json.value(*t);
        else
            json.null();
    json.endArray();
}

// A total over a missed point means nothing: null.
void writeTotal(JsonWriter& json, const char* name, bool complete, double value) {
    json.key(name);
    if (complete)
        json.value(value);
    else
        json.null();
}

void writeBoatLegs(JsonWriter& json, const LegAnalysis& legs, int slot) {
    if (slot < 0 || slot >= static_cast<int>(legs.boats.size())) return;
    const BoatLegResult& r = legs.boat(slot);
    writeTimes(json, "passTime", r.passTimeSeconds);
    writeNumbers(json, "legDistance", r.legDistanceMetres);
    json.field("finishRank", r.finishRank);
    writeTotal(json, "upTime", r.upTotalsComplete, r.upTimeSeconds);
    writeTotal(json, "downTime", r.downTotalsComplete, r.downTimeSeconds);
    writeTotal(json, "upDistance", r.upTotalsComplete, r.upDistanceNm);
    writeTotal(json, "downDistance", r.downTotalsComplete, r.downDistanceNm);
}

void writeCourseLegs(JsonWriter& json, const RaceSession& session) {
    json.key("legs").beginArray();
    for (const CourseLeg& leg : session.course.legs)
        json.beginObject()
            .field("bearing", leg.bearingDegrees)
            .field("length", leg.lengthMetres)
            .field("kind", static_cast<int>(leg.kind))
            .endObject();
    json.endArray();
    json.field("courseTotalLength", session.course.totalLengthMetres);
    json.field("lastFinishTime", session.legs.lastFinishTimeSeconds);
    writeTimes(json, "leaderTime", session.legs.leaderTimeSeconds);
}

// How many of each kind; written before the leg figures, so that the keys
// that were there before it keep their lines.
void writeManeuverCounts(JsonWriter& json, const std::vector<Maneuver>& maneuvers) {
    json.key("maneuverCounts").beginObject();
    // From the gun to the finish, as these counts have always been, whatever
    // the boat's own start: scripts compare them from race to race.
    for (ManeuverKind k : kManeuverKinds)
        json.field(maneuverKindName(k),
                   static_cast<int>(
                       std::count_if(maneuvers.begin(), maneuvers.end(), [k](const Maneuver& m) {
                           return m.kind == k && m.timeSeconds >= 0 &&
                                  m.phase != ManeuverPhase::AfterFinish;
                       })));
    json.endObject();
}

void writeBoat(JsonWriter& json, const Boat& b, const RaceSession& session, int slot) {
    const LegAnalysis& legs = session.legs;
    json.beginObject();
    json.field("logFile", b.logFile).field("name", b.name);
    // Classes are numbered from 1 here, 0 meaning none.
    json.field("classIndex", b.classIndex ? *b.classIndex + 1 : 0).field("tcf", b.tcf);
    json.field("length", static_cast<double>(b.lengthMetres));
    json.field("timeOffset", b.timeOffsetSeconds);
    json.field("visible", flag(b.visible)).field("mayFinish", flag(b.mayFinish));
    json.field("pointCount", b.pointCount()).field("fixInterval", b.fixIntervalSeconds);
    // Race seconds of the first and last fix; a boat is only kept with fixes.
    json.field("firstTime", b.track.empty() ? 0.0 : b.track.front().timeSeconds);
    json.field("lastTime", b.track.empty() ? 0.0 : b.track.back().timeSeconds);
    if (slot >= 0 && slot < static_cast<int>(session.maneuvers().size()))
        writeManeuverCounts(json, session.maneuvers()[static_cast<std::size_t>(slot)]);
    writeBoatLegs(json, legs, slot);
    json.endObject();
}

void writeCoast(JsonWriter& json, const CoastData& coast) {
    json.field("coastPoints", static_cast<long long>(coast.coastline.pointCount()));
    json.field("coastPolylines", static_cast<long long>(coast.coastline.polylines.size()));
    json.key("landmarks").beginArray();
    for (const Landmark& l : coast.landmarks)
        json.beginObject()
            .field("name", l.name)
            .field("lat", l.latMinutes)
            .field("lon", l.lonMinutes)
            .field("period", l.periodSeconds)
            .field("litSeconds", l.litSeconds)
            .field("colours", l.colours)
            .field("size", l.size)
            .endObject();
    json.endArray();
}

const char* eventName(InstrumentEvent::Kind kind) {
    switch (kind) {
        case InstrumentEvent::Kind::TimerReset:
            return "timerReset";
        case InstrumentEvent::Kind::TimerStart:
            return "timerStart";
        case InstrumentEvent::Kind::TimerSync:
            return "timerSync";
        case InstrumentEvent::Kind::RaceStart:
            return "raceStart";
        case InstrumentEvent::Kind::RaceEnd:
            return "raceEnd";
        case InstrumentEvent::Kind::PinEnd:
            return "pinEnd";
        case InstrumentEvent::Kind::BoatEnd:
            return "boatEnd";
    }
    return "unknown";
}

// What racing instruments logged besides their fixes, boat by boat; the key
// is there only when a boat has such a log.
void writeInstrumentEvents(JsonWriter& json, const RaceModel& m) {
    bool any = false;
    for (const Boat& b : m.boats) any = any || !b.instrumentEvents.empty();
    if (!any) return;
    json.key("instrumentEvents").beginArray();
    for (int slot = 0; slot < m.boatCount(); ++slot)
        for (const InstrumentEvent& e : m.boats[slot].instrumentEvents) {
            // Boats are numbered from 1 here, as in every listing.
            json.beginObject().field("boat", slot + 1).field("kind", eventName(e.kind));
            json.field("time", e.timeSeconds);
            if (e.kind == InstrumentEvent::Kind::PinEnd || e.kind == InstrumentEvent::Kind::BoatEnd)
                json.field("lat", e.latMinutes).field("lon", e.lonMinutes);
            else
                json.field("timer", e.timerSeconds);
            json.endObject();
        }
    json.endArray();
}

void writeJson(const RaceSession& session, std::ostream& out) {
    const RaceModel& m = session.model;
    JsonWriter json;
    json.beginObject();
    writeRace(json, session);
    json.key("classes").beginArray();
    for (const BoatClass& c : m.classes) json.beginObject().field("name", c.name).endObject();
    json.endArray();
    json.key("boats").beginArray();
    for (int slot = 0; slot < m.boatCount(); ++slot) writeBoat(json, m.boats[slot], session, slot);
    json.endArray();
    json.key("marks").beginArray();
    for (const Mark& mk : m.marks)
        json.beginObject().field("lat", mk.latMinutes).field("lon", mk.lonMinutes).endObject();
    json.endArray();
    json.key("lines").beginArray();
    for (const Line& l : m.lines) writeLine(json, l);
    json.endArray();
    json.key("refLines").beginArray();
    for (const Line& l : m.refLines) writeLine(json, l);
    json.endArray();
    writeStrings(json, "course", m.race.course);
    writeCourseLegs(json, session);
    writeCoast(json, session.coast);
    // File names relative to the picture folder, so the output is the same
    // wherever the data tree lies.
    json.key("pictures").beginArray();
    for (const PictureEntry& p : session.pictures.entries)
        json.beginObject().field("file", p.file).field("time", p.timeSeconds).endObject();
    json.endArray();
    json.key("windSamples").beginArray();
    for (const WindSample& w : m.windSamples)
        json.beginObject()
            .field("time", w.timeSeconds)
            .field("tws", w.tws)
            .field("twd", w.twdDegrees)
            .endObject();
    json.endArray();
    json.field("maxTws", m.maxTws);
    writeInstrumentEvents(json, m);
    json.key("warnings").beginArray();
    for (const std::string& w : session.warnings) json.value(w);
    json.endArray();
    json.endObject();
    out << json.text();
}

void writeText(const RaceSession& session, std::ostream& out) {
    const RaceModel& m = session.model;
    const Race& r = m.race;
    out << r.caption << "\n" << r.captionDate << "\n";
    out << "race file   " << session.raceBaseName << "\n";
    out << "start       " << formatTimestamp(r.start) << "  (UTC"
        << (r.timeZoneHours >= 0 ? "+" : "") << r.timeZoneHours << ")\n";
    out << "finish      " << formatTimestamp(r.finish) << "\n";
    out << "time mode   " << (r.timeMode == TimeMode::Corrected ? "corrected" : "elapsed") << "\n";
    out << "course      ";
    for (const std::string& entry : r.course) out << entry << ' ';
    out << "\n";
    out << "marks " << m.marks.count() << ", lines " << m.lines.count() << ", classes "
        << m.classes.count() << ", boats " << m.boatCount() << "\n";
    int n = 0;
    for (const Boat& b : m.boats) {
        ++n;
        char line[64];
        std::snprintf(line, sizeof line, "%3d  ", n);
        out << line << b.name << "  [" << b.logFile << "]";
        if (b.classIndex) out << "  " << m.classes[*b.classIndex].name;
        if (b.tcf > 0) out << "  tcf " << formatNumber(b.tcf);
        if (!b.visible) out << "  hidden";
        out << "  " << b.pointCount() << " fixes";
        out << "\n";
    }
    out << "coastline   " << session.coast.coastline.pointCount() << " points in "
        << session.coast.coastline.polylines.size() << " polylines, "
        << session.coast.landmarks.size() << " landmarks\n";
}

// One line per fix of boat n (counted from 1, as the listing shows it), for
// looking into a log that loads oddly.
void writeFixes(const RaceSession& session, const std::string& boatText, std::ostream& out) {
    const auto n = parseInteger(boatText);
    const auto& boats = session.model.boats;
    if (!n || *n < 1 || *n > boats.count())
        throw std::invalid_argument("--fixes: no boat " + boatText + " (the race has " +
                                    std::to_string(boats.count()) + ")");
    out << "slot\ttime\tlat\tlon\tspeed\tcourse\n";
    int slot = 0;
    for (const TrackPoint& p : boats[static_cast<int>(*n - 1)].track) {
        out << ++slot << '\t' << formatNumber(p.timeSeconds) << '\t' << formatNumber(p.latMinutes)
            << '\t' << formatNumber(p.lonMinutes) << '\t' << formatNumber(p.speedKnots) << '\t'
            << formatNumber(p.courseDegrees) << '\n';
    }
}

}  // namespace

int runInfo(const RaceSession& session, const CliOptions& options, std::ostream& out) {
    if (const auto boat = options.value("--fixes")) {
        writeFixes(session, *boat, out);
        return 0;
    }
    if (options.has("--json"))
        writeJson(session, out);
    else
        writeText(session, out);
    return 0;
}

}  // namespace korvane

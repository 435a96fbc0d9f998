#include "cli/maneuvers_command.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "analysis/maneuver_summary.h"
#include "cli/json_writer.h"

namespace korvane {

namespace {

void optionalValue(JsonWriter& json, std::string_view key, const std::optional<double>& v) {
    json.key(key);
    if (v)
        json.value(*v);
    else
        json.null();
}

void writeManeuverJson(JsonWriter& json, const Maneuver& m) {
    json.beginObject();
    json.field("time", m.timeSeconds).field("kind", maneuverKindName(m.kind));
    json.field("lat", m.latMinutes).field("lon", m.lonMinutes);
    json.field("courseIn", m.courseInDegrees).field("courseOut", m.courseOutDegrees);
    json.field("turn", m.turnDegrees);
    json.field("speedIn", m.speedInKnots).field("speedMin", m.speedMinKnots);
    json.field("speedOut", m.speedOutKnots);
    json.field("entryTime", m.entrySeconds).field("exitTime", m.exitSeconds);
    json.field("duration", m.durationSeconds());
    optionalValue(json, "loss", m.lossMetres);
    optionalValue(json, "lossLengths", m.lossBoatLengths);
    optionalValue(json, "lossVsMedianVmg", m.lossVsMedianVmgMetres);
    json.field("phase", maneuverPhaseName(m.phase));
    json.key("lossUnmeasured");
    if (m.unmeasured == LossUnmeasured::No)
        json.null();
    else
        json.value(lossUnmeasuredName(m.unmeasured));
    json.endObject();
}

void writeJson(const RaceSession& session, std::ostream& out) {
    JsonWriter json;
    json.beginObject();
    json.key("boats").beginArray();
    for (int b = 0; b < session.model.boatCount(); ++b) {
        json.beginObject().field("name", session.model.boats[b].name);
        json.key("maneuvers").beginArray();
        for (const Maneuver& m : session.maneuvers()[static_cast<std::size_t>(b)])
            writeManeuverJson(json, m);
        json.endArray().endObject();
    }
    json.endArray();
    json.key("fleetMedianLoss").beginObject();
    for (ManeuverKind k : kManeuverKinds)
        optionalValue(json, maneuverKindName(k), fleetMedianLoss(session.maneuvers(), k));
    json.endObject();
    json.endObject();
    out << json.text();
}

std::string fixed(double v, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string optionalFixed(const std::optional<double>& v, int decimals) {
    return v ? fixed(*v, decimals) : "-";
}

void writeRows(const std::vector<Maneuver>& maneuvers, ManeuverPhase phase, std::ostream& out) {
    char line[200];
    for (const Maneuver& m : maneuvers) {
        if (m.phase != phase) continue;
        std::snprintf(line, sizeof line,
                      "%7.0f  %-8s  %6.0f  %6.0f  %6.2f  %6.2f  %6.2f  %4.0f  %6s  %6s  %8s\n",
                      m.timeSeconds, std::string(maneuverKindName(m.kind)).c_str(),
                      m.courseInDegrees, m.courseOutDegrees, m.speedInKnots, m.speedMinKnots,
                      m.speedOutKnots, m.durationSeconds(), optionalFixed(m.lossMetres, 1).c_str(),
                      optionalFixed(m.lossBoatLengths, 2).c_str(),
                      optionalFixed(m.lossVsMedianVmgMetres, 1).c_str());
        out << line;
    }
}

void writeText(const RaceSession& session, std::ostream& out) {
    for (int b = 0; b < session.model.boatCount(); ++b) {
        const Boat& boat = session.model.boats[b];
        const auto& maneuvers = session.maneuvers()[static_cast<std::size_t>(b)];
        out << boat.name << "  (" << fixed(boat.lengthMetres, 1) << " m)\n";
        out << "   time  kind      crs in crs out  spd in spd min spd out   dur  loss m  loss L"
               "  vs VMG m\n";
        writeRows(maneuvers, ManeuverPhase::Racing, out);
        for (const auto& [phase, title] :
             {std::pair{ManeuverPhase::BeforeStart, "  before the start (not counted):\n"},
              std::pair{ManeuverPhase::AfterFinish, "  after the finish (not counted):\n"}}) {
            if (std::none_of(maneuvers.begin(), maneuvers.end(),
                             [phase = phase](const Maneuver& m) { return m.phase == phase; }))
                continue;
            out << title;
            writeRows(maneuvers, phase, out);
        }
        for (ManeuverKind k : kManeuverKinds) {
            const ManeuverSummary s = summarizeManeuvers(maneuvers, k);
            if (s.count == 0) continue;
            out << "  " << maneuverKindName(k) << ": " << s.count << ", mean loss "
                << optionalFixed(s.meanLossMetres, 1) << " m, median "
                << optionalFixed(s.medianLossMetres, 1) << " m, worst "
                << optionalFixed(s.worstLossMetres, 1) << " m\n";
        }
        out << "\n";
    }
    out << "fleet median loss:";
    for (ManeuverKind k : kManeuverKinds)
        out << "  " << maneuverKindName(k) << " "
            << optionalFixed(fleetMedianLoss(session.maneuvers(), k), 1) << " m";
    out << "\n";
}

}  // namespace

int runManeuvers(const RaceSession& session, const CliOptions& options, std::ostream& out) {
    if (options.has("--json"))
        writeJson(session, out);
    else
        writeText(session, out);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace korvane

#include "cli/standings_command.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "analysis/results_table.h"
#include "base/numbers.h"
#include "cli/json_writer.h"
#include "session/standings_sources.h"

namespace korvane {

namespace {

void writeJson(const RaceSession& session, const Standings& standings, std::ostream& out) {
    JsonWriter json;
    json.beginObject().field("time", standings.timeSeconds);
    json.key("boats").beginArray();
    for (const BoatStanding& s : standings.boats) {
        json.beginObject();
        // Slots count from 1 as in `info --json`.
        json.field("slot", s.slot + 1).field("name", session.model.boats[s.slot].name);
        json.key("place");
        if (s.place > 0)
            json.value(s.place);
        else
            json.null();
        json.key("classPlace");
        if (s.classPlace > 0)
            json.value(s.classPlace);
        else
            json.null();
        json.field("status", standingStatusName(s.status)).field("leg", s.leg);
        json.field("metersToFinish", s.metresToFinish);
        json.field("metersBehindLeader", s.metresBehindLeader);
        json.key("secondsBehindLeader");
        if (s.secondsBehindLeader)
            json.value(*s.secondsBehindLeader);
        else
            json.null();
        json.endObject();
    }
    json.endArray().endObject();
    out << json.text() << "\n";
}

void writeText(const RaceSession& session, const Standings& standings, std::ostream& out) {
    char line[256];
    std::snprintf(line, sizeof line, "%5s %5s  %-20s %-10s %3s %10s %10s %9s\n", "place", "class",
                  "boat", "status", "leg", "to finish", "behind m", "behind");
    out << line;
    for (const BoatStanding& s : standings.boats) {
        const std::string place = s.place > 0 ? std::to_string(s.place) : "-";
        const std::string classPlace = s.classPlace > 0 ? std::to_string(s.classPlace) : "-";
        const std::string gap =
            s.secondsBehindLeader ? formatGapMinutesSeconds(*s.secondsBehindLeader) : "-";
        std::snprintf(line, sizeof line, "%5s %5s  %-20s %-10s %3d %10.0f %10.0f %9s\n",
                      place.c_str(), classPlace.c_str(), session.model.boats[s.slot].name.c_str(),
                      standingStatusName(s.status), s.leg, s.metresToFinish, s.metresBehindLeader,
                      gap.c_str());
        out << line;
    }
}

}  // namespace

int runStandings(const RaceSession& session, const CliOptions& options, std::ostream& out) {
    const auto at = options.value("--at");
    if (!at) throw std::invalid_argument("standings needs --at SECONDS");
    const std::optional<double> time = parseDouble(*at);
    if (!time || !std::isfinite(*time)) throw std::invalid_argument("--at: not a number: " + *at);
    const Standings standings =
        standingsAt(standingsSources(session), *time, session.model.race.timeMode);
    if (options.has("--json"))
        writeJson(session, standings, out);
    else
        writeText(session, standings, out);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace korvane

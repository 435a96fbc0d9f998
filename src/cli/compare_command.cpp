#include "cli/compare_command.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "analysis/leg_breakdown.h"
#include "cli/json_writer.h"

namespace korvane {

namespace {

// A boat by its name as the race file gives it, or by its 1-based number.
int findBoat(const RaceModel& model, const std::string& word) {
    for (int b = 0; b < model.boatCount(); ++b)
        if (model.boats[b].name == word) return b;
    if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos &&
        word.size() < 6) {
        const int n = std::stoi(word);
        if (n >= 1 && n <= model.boatCount()) return n - 1;
    }
    throw std::invalid_argument("compare: no boat '" + word + "'");
}

void writeParts(JsonWriter& json, double difference, const TimeParts& p) {
    json.field("secondsDifference", difference);
    json.key("parts").beginObject();
    json.field("start", p.start).field("speed", p.speed).field("angle", p.angle);
    json.field("maneuvers", p.maneuvers).field("rest", p.rest);
    json.endObject();
}

std::string partsLine(const char* label, double difference, const TimeParts& p) {
    char line[200];
    std::snprintf(line, sizeof line, "%-6s %8.1f %8.1f %8.1f %8.1f %9.1f %8.1f\n", label,
                  difference, p.start, p.speed, p.angle, p.maneuvers, p.rest);
    return line;
}

}  // namespace

int runCompare(const RaceSession& session, const CliOptions& options, std::ostream& out) {
    const std::string boats = options.value("--boats").value_or("");
    const auto comma = boats.find(',');
    if (comma == std::string::npos)
        throw std::invalid_argument("compare needs --boats A,B (two names or numbers)");
    const int a = findBoat(session.model, boats.substr(0, comma));
    const int b = findBoat(session.model, boats.substr(comma + 1));
    const LocalPlane plane = session.area.plane();
    const BreakdownInput input{.model = &session.model,
                               .legs = &session.legs,
                               .course = &session.course,
                               .maneuvers = &session.maneuvers(),
                               .plane = &plane};
    const RaceBreakdown race = breakDownRace(input, a, b);
    if (options.has("--json")) {
        JsonWriter json;
        json.beginObject();
        json.field("boatA", session.model.boats[a].name)
            .field("boatB", session.model.boats[b].name);
        json.key("legs").beginArray();
        for (const LegBreakdown& leg : race.legs) {
            json.beginObject().field("leg", leg.leg + 1);
            writeParts(json, leg.secondsDifference, leg.parts);
            json.endObject();
        }
        json.endArray();
        json.key("race").beginObject();
        writeParts(json, race.secondsDifference, race.parts);
        json.endObject();
        json.endObject();
        out << json.text();
    } else {
        out << session.model.boats[b].name << " against " << session.model.boats[a].name
            << ", seconds (positive: B lost)\n";
        out << "leg    differ.    start    speed    angle maneuvers     rest\n";
        for (const LegBreakdown& leg : race.legs)
            out << partsLine(std::to_string(leg.leg + 1).c_str(), leg.secondsDifference, leg.parts);
        out << partsLine("race", race.secondsDifference, race.parts);
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace korvane

#include "cli/passings_command.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "analysis/passing_candidates.h"
#include "base/numbers.h"
#include "cli/json_writer.h"

namespace korvane {

namespace {

struct Target {
    int boat = 0;   // 0-based
    int point = 0;  // 0-based
    double seconds = 0;
};

// "SLOT:POINT" or "SLOT:POINT:SECONDS", 1-based as in the race file.
Target parseTarget(const RaceSession& session, const std::string& flag, const std::string& text,
                   bool withSeconds) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string::npos) break;
        from = colon + 1;
    }
    const std::string form = withSeconds ? "SLOT:POINT:SECONDS" : "SLOT:POINT";
    if (parts.size() != (withSeconds ? 3u : 2u))
        throw std::invalid_argument(flag + ": expected " + form + ", not '" + text + "'");
    const auto slot = parseInt32(parts[0]);
    const auto point = parseInt32(parts[1]);
    if (!slot || *slot < 1 || *slot > session.model.boatCount())
        throw std::invalid_argument(flag + ": the race has no boat '" + parts[0] + "'");
    if (!point || *point < 1 || *point > session.legs.pointCount())
        throw std::invalid_argument(flag + ": the course has no point '" + parts[1] + "'");
    Target t{*slot - 1, *point - 1, 0};
    if (withSeconds) {
        const auto seconds = parseDouble(parts[2]);
        if (!seconds || !std::isfinite(*seconds))
            throw std::invalid_argument(flag + ": '" + parts[2] + "' is not a number of seconds");
        t.seconds = *seconds;
    }
    return t;
}

// The correction the options ask for applied to `session`; false when none
// was asked for.
bool correct(RaceSession& session, const CliOptions& options) {
    const auto set = options.value("--set");
    const auto clear = options.value("--clear");
    const auto notPassed = options.value("--not-passed");
    if ((set ? 1 : 0) + (clear ? 1 : 0) + (notPassed ? 1 : 0) > 1)
        throw std::invalid_argument("passings: one of --set, --clear, --not-passed at a time");
    PassingCorrections corrections = session.passingCorrections;
    if (set) {
        const Target t = parseTarget(session, "--set", *set, true);
        PassingCorrection c;
        c.boat = t.boat;
        c.point = t.point;
        // SECONDS are race time as this run shows it (--ct: corrected).
        c.elapsedSeconds =
            elapsedSecondsOf(session.model.boats[t.boat], session.model.race, t.seconds);
        corrections.set(c);
    } else if (clear) {
        const Target t = parseTarget(session, "--clear", *clear, false);
        corrections.clear(t.boat, t.point);
    } else if (notPassed) {
        const Target t = parseTarget(session, "--not-passed", *notPassed, false);
        PassingCorrection c;
        c.boat = t.boat;
        c.point = t.point;
        c.kind = PassingCorrectionKind::NotPassed;
        corrections.set(c);
    } else {
        return false;
    }
    correctPassings(session, std::move(corrections));
    return true;
}

std::vector<PassingExplanation> explain(const RaceSession& s, int b) {
    return explainBoatPassings(s.model, s.course, s.legs, s.detectedLegs, s.passingCorrections,
                               s.area.plane(), b);
}

void writeMomentFields(JsonWriter& json, const PassingMoment& m) {
    json.field("time", m.timeSeconds).field("kind", passingKindName(m.kind));
    json.field("metersFromMark", m.metresFromMark);
}

void writeJson(const RaceSession& session, std::ostream& out) {
    JsonWriter json;
    json.beginObject();
    json.key("boats").beginArray();
    for (int b = 0; b < session.model.boatCount(); ++b) {
        json.beginObject().field("slot", b + 1).field("name", session.model.boats[b].name);
        json.key("passings").beginArray();
        int p = 0;
        for (const PassingExplanation& e : explain(session, b)) {
            json.beginObject().field("point", ++p);
            json.field("name", session.course.points[static_cast<std::size_t>(p - 1)].name);
            if (e.chosen) {
                writeMomentFields(json, *e.chosen);
            } else {
                json.key("time").null();
                json.key("kind");
                if (e.corrected)
                    json.value("notPassed");
                else
                    json.null();
                json.key("metersFromMark").null();
            }
            json.field("corrected", e.corrected);
            json.key("candidates").beginArray();
            for (const PassingMoment& m : e.candidates) {
                json.beginObject();
                writeMomentFields(json, m);
                json.endObject();
            }
            json.endArray().endObject();
        }
        json.endArray().endObject();
    }
    json.endArray();
    json.endObject();
    out << json.text();
}

std::string momentText(const PassingMoment& m) {
    char text[96];
    std::snprintf(text, sizeof text, "%.1f %s %.0f m", m.timeSeconds, passingKindName(m.kind),
                  m.metresFromMark);
    return text;
}

void writeText(const RaceSession& session, std::ostream& out) {
    out << "slot\tpoint\tmark\tpassing\tcorrected\tcandidates\n";
    for (int b = 0; b < session.model.boatCount(); ++b) {
        const auto explained = explain(session, b);
        for (std::size_t p = 0; p < explained.size(); ++p) {
            const PassingExplanation& e = explained[p];
            out << b + 1 << '\t' << p + 1 << '\t' << session.course.points[p].name << '\t'
                << (e.chosen      ? momentText(*e.chosen)
                    : e.corrected ? "not passed"
                                  : "-")
                << '\t' << (e.corrected ? "yes" : "no") << '\t';
            for (std::size_t i = 0; i < e.candidates.size(); ++i)
                out << (i ? "; " : "") << momentText(e.candidates[i]);
            out << '\n';
        }
    }
}

}  // namespace

int runPassings(const RaceSession& opened, const CliOptions& options, std::ostream& out,
                std::ostream& err) {
    RaceSession session = opened;
    try {
        if (correct(session, options) && !saveCorrections(session)) {
            err << "korvane-cli: " << passingCorrectionsPath(session.raceFilePath).string()
                << ": the corrections could not be written\n";
            return 1;
        }
    } catch (const std::invalid_argument& e) {
        err << "korvane-cli: " << e.what() << "\n";
        return 2;
    }
    if (options.has("--json"))
        writeJson(session, out);
    else
        writeText(session, out);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace korvane

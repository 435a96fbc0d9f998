#include "analysis/results_table.h"

#include <cmath>
#include <cstdio>

#include "base/timestamp.h"

namespace korvane {

namespace {

const char* codeOf(StandingStatus status) {
    switch (status) {
        case StandingStatus::Finished:
            return "";
        case StandingStatus::NotStarted:
            return "DNS";
        case StandingStatus::Ocs:
            return "OCS";
        case StandingStatus::Racing:
        case StandingStatus::Retired:
            return "DNF";
    }
    return "DNF";
}

}  // namespace

ResultsTable resultsFrom(const RaceModel& model, const Standings& standings) {
    ResultsTable table;
    table.mode = standings.mode;
    for (const BoatClass& c : model.classes) table.classNames.push_back(c.name);
    const double startOfDay = startSecondsOfDay(model.race.start);
    std::vector<ResultRow> coded;
    for (const BoatStanding& s : standings.boats) {
        const Boat& boat = model.boats[s.slot];
        ResultRow row;
        row.slot = s.slot;
        row.name = boat.name;
        row.classIndex = boat.classIndex;
        row.code = codeOf(s.status);
        if (row.code.empty() && s.finishSeconds) {
            const FinishTimes f = finishTimesOf(boat, model.race.timeMode, *s.finishSeconds);
            row.place = s.place;
            row.classPlace = s.classPlace;
            row.elapsedSeconds = f.elapsedSeconds;
            row.correctedSeconds = f.correctedSeconds;
            row.finishSecondsOfDay = secondsOfDay(startOfDay, f.elapsedSeconds);
            table.rows.push_back(row);
        } else {
            coded.push_back(row);
        }
    }
    table.rows.insert(table.rows.end(), coded.begin(), coded.end());
    return table;
}

ResultsTable finalResults(const StandingsSources& sources, TimeMode mode) {
    return resultsFrom(*sources.model,
                       standingsAt(sources, resultsMoment(*sources.model, *sources.legs), mode));
}

std::string formatHoursMinutesSeconds(double seconds) {
    const long long whole = std::llround(std::abs(seconds));
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", seconds < 0 && whole > 0 ? "-" : "",
                  whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

std::string formatGapMinutesSeconds(double seconds) {
    const long long whole = std::llround(std::abs(seconds));
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld:%02lld", seconds < 0 && whole > 0 ? "-" : "",
                  whole / 60, whole % 60);
    return text;
}

std::string standingStatusMark(StandingStatus status) {
    switch (status) {
        case StandingStatus::Finished:
            return "FIN";
        case StandingStatus::NotStarted:
            return "-";
        case StandingStatus::Retired:
            return "RET";
        case StandingStatus::Ocs:
            return "OCS";
        case StandingStatus::Racing:
            break;
    }
    return {};
}

}  // namespace korvane

// The results of a race as a club posts them: per boat its place overall and
// in its class, its finish time of day, elapsed and corrected times, or the
// code of a boat without a finish. Worked out from the standings at a
// moment; formatting for a file or a page is results_page.h's job.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/standings.h"

namespace korvane {

struct ResultRow {
    int slot = 0;  // 0-based, into RaceModel::boats
    int place = 0;
    int classPlace = 0;  // 0 with a code
    std::optional<int> classIndex;
    std::string name;
    std::string code;  // "", "DNF", "DNS", "OCS"
    std::optional<double> finishSecondsOfDay;
    std::optional<double> elapsedSeconds;
    std::optional<double> correctedSeconds;
};

struct ResultsTable {
    TimeMode mode = TimeMode::Elapsed;  // the time the places follow
    std::vector<std::string> classNames;
    std::vector<ResultRow> rows;  // in place order, the boats with a code after
};

// The rows of `standings`: a boat still racing has not finished ("DNF"), one
// that never started "DNS", one over the line at the gun "OCS".
ResultsTable resultsFrom(const RaceModel& model, const Standings& standings);

// The results once nothing changes any more.
ResultsTable finalResults(const StandingsSources& sources, TimeMode mode);

// "1:02:03": whole seconds, rounded; hours not zero-filled.
std::string formatHoursMinutesSeconds(double seconds);
// "-", "+12:05" style gaps: minutes and seconds, hours folded into minutes.
std::string formatGapMinutesSeconds(double seconds);
// What stands in the leg column of a boat that is not racing: "FIN",
// "RET", "OCS", "-" before its start; empty while it races.
std::string standingStatusMark(StandingStatus status);

}  // namespace korvane

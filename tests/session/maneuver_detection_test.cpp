// The maneuvers found on the simulated sample races against the moments the
// simulation knows its boats passed head to wind or dead downwind (the side
// files the sample generator writes beside the logs).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "session/race_session.h"

namespace korvane {
namespace {

// A detection counts when its middle lies this close to the known moment.
constexpr double kMatchSeconds = 10;
// Known crossings this close to a mark belong to the rounding.
constexpr double kMarkSeconds = 30;

struct Known {
    double startSeconds = 0;
    double endSeconds = 0;
    std::vector<double> marks;
    std::vector<std::pair<double, ManeuverKind>> crossings;
};

std::map<std::string, Known> readKnown(const std::string& path) {
    std::map<std::string, Known> out;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::stringstream row(line);
        std::string log, time, event;
        std::getline(row, log, ',');
        std::getline(row, time, ',');
        std::getline(row, event);
        const double t = std::stod(time);
        Known& k = out[log];
        if (event == "start") k.startSeconds = t;
        if (event == "end") k.endSeconds = t;
        if (event == "mark") k.marks.push_back(t);
        if (event == "tack") k.crossings.emplace_back(t, ManeuverKind::Tack);
        if (event == "gybe") k.crossings.emplace_back(t, ManeuverKind::Gybe);
    }
    return out;
}

bool nearAny(double t, const std::vector<double>& times, double within) {
    for (double s : times)
        if (std::abs(s - t) <= within) return true;
    return false;
}

class SampleRaceManeuvers : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleRaceManeuvers, RecallAndPrecisionAtLeast95Percent) {
    const std::string race = GetParam();
    const std::string root = std::string(KORVANE_SOURCE_DIR) + "/sample";
    const auto known = readKnown(root + "/gpsdat/" + race + "-maneuvers.csv");
    ASSERT_FALSE(known.empty());
    OpenRequest request;
    request.dataRoot = root;
    request.raceFile = race + ".txt";
    request.timeMode = TimeMode::Elapsed;  // the simulation's clock
    const auto session = openRace(request);

    int truths = 0, recalled = 0, detections = 0, correct = 0;
    for (int b = 0; b < session->model.boatCount(); ++b) {
        const auto it = known.find(session->model.boats[b].logFile);
        ASSERT_NE(it, known.end()) << session->model.boats[b].logFile;
        const Known& k = it->second;
        const auto& found = session->maneuvers()[static_cast<std::size_t>(b)];
        const auto inRace = [&](double t) { return t >= k.startSeconds && t <= k.endSeconds; };
        for (const auto& [t, kind] : k.crossings) {
            if (!inRace(t) || nearAny(t, k.marks, kMarkSeconds)) continue;
            ++truths;
            for (const Maneuver& m : found)
                if (m.kind == kind && std::abs(m.timeSeconds - t) <= kMatchSeconds) {
                    ++recalled;
                    break;
                }
        }
        for (const Maneuver& m : found) {
            if (!inRace(m.timeSeconds) ||
                (m.kind != ManeuverKind::Tack && m.kind != ManeuverKind::Gybe))
                continue;
            ++detections;
            for (const auto& [t, kind] : k.crossings)
                if (m.kind == kind && std::abs(m.timeSeconds - t) <= kMatchSeconds) {
                    ++correct;
                    break;
                }
        }
    }
    ASSERT_GT(truths, 50);
    RecordProperty("recall", std::to_string(recalled) + "/" + std::to_string(truths));
    RecordProperty("precision", std::to_string(correct) + "/" + std::to_string(detections));
    EXPECT_GE(recalled, 0.95 * truths) << recalled << " of " << truths << " known";
    EXPECT_GE(correct, 0.95 * detections) << correct << " of " << detections << " found";
}

INSTANTIATE_TEST_SUITE_P(Simulated, SampleRaceManeuvers,
                         ::testing::Values("enoshima-cup", "enoshima-ct"), [](const auto& info) {
                             std::string name = info.param;
                             name.erase(name.find('-'), 1);
                             return name;
                         });

}  // namespace
}  // namespace korvane

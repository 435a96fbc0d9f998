// Where the time went, on two boats beating up one leg on the equator (a
// minute of arc is 1852 m both ways) that differ in one thing only: every
// second of the difference must land in that thing's part.
#include "analysis/leg_breakdown.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/maneuvers.h"

namespace korvane {
namespace {

struct Stretch {
    double seconds;
    double courseDegrees;
    double metresPerSecond;
};

// Fixes every second along the stretches, from (0, 0) at t = 0.
std::vector<TrackPoint> sail(const std::vector<Stretch>& stretches) {
    std::vector<TrackPoint> track;
    double north = 0, east = 0, t = 0;
    track.push_back({0, 0, 0, 0, 0});
    for (const Stretch& s : stretches) {
        const double a = s.courseDegrees * std::numbers::pi / 180;
        for (int i = 0; i < static_cast<int>(s.seconds); ++i) {
            north += s.metresPerSecond * std::cos(a);
            east += s.metresPerSecond * std::sin(a);
            t += 1;
            track.push_back({t, north / kMetresPerMinuteLat, east / kMetresPerMinuteLat, 0, 0});
        }
    }
    return track;
}

// A beat to a mark straight upwind: starboard and port stretches of the
// seconds of ground at full speed at `angle` off the wind; a tack that
// costs sails its 12 s either side at a third of the speed.
std::vector<Stretch> beat(const std::vector<double>& tackSeconds, double angle, double speed,
                          bool tacksCost) {
    std::vector<Stretch> out;
    for (std::size_t i = 0; i < tackSeconds.size(); ++i) {
        const double course = i % 2 ? -angle : angle;
        const bool slowIn = tacksCost && i + 1 < tackSeconds.size();
        const bool slowOut = tacksCost && i > 0;
        // The slow 12 s make the ground of 4 s at speed: the track is the same.
        const double fast = tackSeconds[i] - (slowIn ? 4 : 0) - (slowOut ? 4 : 0);
        if (slowOut) out.push_back({12, course, speed / 3});
        out.push_back({fast, course, speed});
        if (slowIn) out.push_back({12, course, speed / 3});
    }
    return out;
}

struct Race {
    RaceModel model;
    LegAnalysis legs;
    CourseGeometry course;
    std::vector<std::vector<Maneuver>> maneuvers;
    LocalPlane plane{1.0};

    void add(const std::vector<Stretch>& stretches) {
        Boat boat;
        boat.name = "boat";
        boat.track = sail(stretches);
        const double finish = boat.track.back().timeSeconds;
        model.boats.append(boat);
        legs.boats.push_back({});
        legs.boats.back().passTimeSeconds = {0.0, finish};
        ManeuverInput in;
        in.track = &model.boats[model.boatCount() - 1].track;
        in.fromSeconds = 0;
        in.toSeconds = finish;
        in.startSeconds = 0;
        in.finishSeconds = finish;
        maneuvers.push_back(findManeuvers(in, plane));
    }

    RaceBreakdown compare() {
        course.legs = {{.bearingDegrees = 0, .lengthMetres = 1000, .kind = LegKind::Up}};
        return breakDownRace({&model, &legs, &course, &maneuvers, &plane}, 0, 1);
    }
};

struct OneDifference {
    const char* name;
    std::vector<Stretch> a;
    std::vector<Stretch> b;
    double TimeParts::*part;
};

class Breakdown : public ::testing::TestWithParam<OneDifference> {};

TEST_P(Breakdown, TheDifferenceLandsInItsPart) {
    const OneDifference& c = GetParam();
    Race race;
    race.add(c.a);
    race.add(c.b);
    const RaceBreakdown r = race.compare();
    ASSERT_EQ(r.legs.size(), 1u);
    const LegBreakdown& leg = r.legs[0];
    EXPECT_NEAR(leg.parts.sum(), leg.secondsDifference, 1e-6);
    ASSERT_GT(leg.secondsDifference, 10);
    // Nine tenths or more in the part, at most a second in each other.
    EXPECT_GT(leg.parts.*c.part, 0.9 * leg.secondsDifference);
    for (double TimeParts::*other : {&TimeParts::start, &TimeParts::speed, &TimeParts::angle,
                                     &TimeParts::maneuvers, &TimeParts::rest})
        if (other != c.part) {
            EXPECT_LT(std::abs(leg.parts.*other), 1.5) << c.name;
        }
    EXPECT_DOUBLE_EQ(r.secondsDifference, leg.secondsDifference);
}

// 5 m/s at 45 degrees: a tack every 200 s. At 40 degrees the same height
// takes 200 cos45 / cos40 s a tack.
const double kAt40 = 200 * std::cos(std::numbers::pi / 4) / std::cos(40 * std::numbers::pi / 180);

INSTANTIATE_TEST_SUITE_P(
    Boats, Breakdown,
    ::testing::Values(OneDifference{"OnlySpeed", beat({200, 200}, 45, 5, false),
                                    beat({200 / 0.9, 200 / 0.9}, 45, 5 * 0.9, false),
                                    &TimeParts::speed},
                      OneDifference{"OnlyAngle", beat({kAt40, kAt40}, 40, 5, false),
                                    beat({200, 200}, 45, 5, false), &TimeParts::angle},
                      OneDifference{"OneExtraTack", beat({200, 200}, 45, 5, true),
                                    beat({100, 200, 100}, 45, 5, true), &TimeParts::maneuvers}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane

#include "analysis/standings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/results_table.h"
#include "equator_race.h"

namespace korvane {
namespace {

using testing::analyse;
using testing::equatorRace;
using testing::makeBoat;
using testing::sampleTrack;

// The equator race without Charlie (whose ties with Alpha hang on the
// last bit) plus three boats of trouble:
//   Foxtrot  north of the start line at the gun, never back: OCS.
//   Golf     over at the gun, back below the line at 20 s, then sails on.
//   Hotel    as Delta, but its log ends at 1500 s on the first leg.
// Bravo too is over at the gun; it is back below the line at 15 s.
RaceModel troubledRace() {
    RaceModel m = equatorRace();
    const auto boats = m.boats;
    m.boats.clear();
    for (const Boat& b : boats)
        if (b.name != "Charlie") m.boats.append(b);
    m.boats.append(makeBoat(
        "Foxtrot",
        sampleTrack({{-90, -0.3, 1}, {0, 0.05, 1}, {2100, 10, 1}, {5300, -6, 1}}, -90, 5300)));
    m.boats.append(makeBoat(
        "Golf",
        sampleTrack({{-90, -0.3, 1}, {0, 0.05, 1}, {20, -0.05, 1}, {2200, 10, 1}, {5300, -6, 1}},
                    -90, 5300)));
    m.boats.append(
        makeBoat("Hotel", sampleTrack({{-90, -0.372, 1.25}, {2503, 10, 1.25}}, -90, 1500)));
    return m;
}

struct OrderCase {
    const char* what;
    double timeSeconds;
    // Boat names in standing order, then each one's status and leg.
    std::vector<std::string> names;
    std::vector<StandingStatus> statuses;
    std::vector<int> legs;
};
void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << c.what;
}

constexpr auto R = StandingStatus::Racing;
constexpr auto F = StandingStatus::Finished;
constexpr auto N = StandingStatus::NotStarted;
constexpr auto X = StandingStatus::Retired;
constexpr auto O = StandingStatus::Ocs;

class StandingsOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(StandingsOrder, FollowsProgressStatusAndFinish) {
    const OrderCase& c = GetParam();
    RaceModel model = troubledRace();
    const testing::AnalysedRace race = analyse(model);
    const Standings s = standingsAt({&model, &race.geometry, &race.legs, LocalPlane(1)},
                                    c.timeSeconds, TimeMode::Elapsed);
    ASSERT_EQ(s.boats.size(), c.names.size());
    int place = 0;
    for (std::size_t i = 0; i < c.names.size(); ++i) {
        const BoatStanding& b = s.boats[i];
        SCOPED_TRACE(c.names[i]);
        EXPECT_EQ(model.boats[b.slot].name, c.names[i]);
        EXPECT_EQ(standingStatusName(b.status), std::string(standingStatusName(c.statuses[i])));
        EXPECT_EQ(b.leg, c.legs[i]);
        const bool ranked = b.status != X && b.status != O;
        EXPECT_EQ(b.place, ranked ? ++place : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moments, StandingsOrder,
    ::testing::Values(OrderCase{"before the gun every boat waits, the nearest first",
                                -20,
                                {"Bravo", "Foxtrot", "Golf", "Delta", "Hotel", "Alpha", "Echo"},
                                {N, N, N, N, N, N, N},
                                {0, 0, 0, 0, 0, 0, 0}},
                      OrderCase{"just after the gun the boats over the line are OCS",
                                10,
                                {"Alpha", "Echo", "Delta", "Hotel", "Bravo", "Foxtrot", "Golf"},
                                {R, R, R, R, O, O, O},
                                {1, 1, 1, 1, 0, 0, 0}},
                      OrderCase{"on the same leg the nearer boat leads",
                                1000,
                                {"Alpha", "Echo", "Bravo", "Golf", "Delta", "Hotel", "Foxtrot"},
                                {R, R, R, R, R, R, O},
                                {1, 1, 1, 1, 1, 1, 0}},
                      OrderCase{"a boat past the mark leads every boat before it",
                                2015,
                                {"Alpha", "Echo", "Bravo", "Golf", "Delta", "Hotel", "Foxtrot"},
                                {R, R, R, R, R, X, O},
                                {2, 2, 1, 1, 1, 1, 0}},
                      // Delta never came near the mark: it sails the first leg still.
                      OrderCase{"finishers stand ahead, in finish order",
                                4020,
                                {"Alpha", "Echo", "Bravo", "Golf", "Delta", "Hotel", "Foxtrot"},
                                {F, R, R, R, R, X, O},
                                {2, 2, 2, 2, 1, 1, 2}},
                      OrderCase{"after every track the non-finishers have no place",
                                5400,
                                {"Alpha", "Bravo", "Golf", "Delta", "Echo", "Hotel", "Foxtrot"},
                                {F, F, F, F, X, X, O},
                                {2, 2, 2, 2, 2, 1, 2}}));

// Two boats on the same track a minute apart: the second is a minute
// behind on the legs, round the mark, after the first finished and at the
// end.
TEST(StandingsGap, SameTrackAMinuteLaterIsSixtySecondsBehind) {
    RaceModel m = testing::equatorRace();
    const auto lead = sampleTrack({{-90, -0.465, 1}, {2003, 10, 1}, {5300, -6.485, 1}}, -90, 5400);
    auto late = lead;
    for (TrackPoint& p : late) p.timeSeconds += 60;
    m.boats.clear();
    m.boats.append(makeBoat("Lead", lead));
    m.boats.append(makeBoat("Late", late));
    const testing::AnalysedRace race = analyse(m);
    for (double t : {600.0, 2030.0, 4030.0, 4100.0}) {
        SCOPED_TRACE(t);
        const Standings s =
            standingsAt({&m, &race.geometry, &race.legs, LocalPlane(1)}, t, TimeMode::Elapsed);
        ASSERT_EQ(s.boats.size(), 2u);
        EXPECT_EQ(m.boats[s.boats[1].slot].name, "Late");
        ASSERT_TRUE(s.boats[1].secondsBehindLeader.has_value());
        EXPECT_NEAR(*s.boats[1].secondsBehindLeader, 60, 2);
        EXPECT_EQ(s.boats[0].secondsBehindLeader, 0);
        if (t < 4063) {
            EXPECT_GT(s.boats[1].metresBehindLeader, 0);
        }
    }
}

// Time on time: Slow finishes later but its factor makes it the winner in
// corrected time; the gap is the difference of corrected finishes.
TEST(StandingsCorrected, FactorsReorderFinishersAndRacingBoats) {
    RaceModel m = testing::equatorRace();
    const auto fast = sampleTrack({{-90, -0.465, 1}, {2003, 10, 1}, {5300, -6.485, 1}}, -90, 5400);
    auto slow = fast;
    for (TrackPoint& p : slow)
        if (p.timeSeconds > 0) p.timeSeconds *= 1.05;
    m.boats.clear();
    m.boats.append(makeBoat("Fast", fast));
    m.boats.append(makeBoat("Slow", slow));
    m.boats[0].tcf = 1.0;
    m.boats[1].tcf = 0.9;
    const testing::AnalysedRace race = analyse(m);
    const StandingsSources src{&m, &race.geometry, &race.legs, LocalPlane(1)};
    struct Case {
        double t;
        TimeMode mode;
        const char* first;
        double gapSeconds;
    };
    // Fast finishes at 4003 s, Slow at 4203.15 s (corrected 3782.8 s). At
    // 1000 s Slow is where Fast was 50 s earlier; in corrected time it is
    // there at 1050 × 0.9 = 945 s, 55 s before Fast.
    for (const Case& c : {Case{1000, TimeMode::Elapsed, "Fast", 50},
                          Case{1000, TimeMode::Corrected, "Slow", 1000 - 1050 * 0.9},
                          Case{6000, TimeMode::Elapsed, "Fast", 4203.15 - 4003},
                          Case{6000, TimeMode::Corrected, "Slow", 4003 - 4203.15 * 0.9}}) {
        SCOPED_TRACE(c.t);
        const Standings s = standingsAt(src, c.t, c.mode);
        EXPECT_EQ(m.boats[s.boats[0].slot].name, c.first);
        ASSERT_TRUE(s.boats[1].secondsBehindLeader.has_value());
        EXPECT_NEAR(*s.boats[1].secondsBehindLeader, c.gapSeconds, 1);
    }
    const ResultsTable results = finalResults(src, TimeMode::Corrected);
    ASSERT_EQ(results.rows.size(), 2u);
    EXPECT_EQ(results.rows[0].name, "Slow");
    EXPECT_NEAR(*results.rows[0].correctedSeconds, 4203.15 * 0.9, 0.01);
    EXPECT_NEAR(*results.rows[0].elapsedSeconds, 4203.15, 0.01);
    EXPECT_EQ(formatHoursMinutesSeconds(*results.rows[1].elapsedSeconds), "1:06:43");
}

// Codes and times of the results: a boat over the line at the gun is OCS
// even though it sailed the course, one whose log ended early is DNF.
TEST(StandingsResults, CodesFollowTheStatusAtTheEnd) {
    RaceModel model = troubledRace();
    const testing::AnalysedRace race = analyse(model);
    const ResultsTable r =
        finalResults({&model, &race.geometry, &race.legs, LocalPlane(1)}, TimeMode::Elapsed);
    std::vector<std::string> got;
    for (const ResultRow& row : r.rows)
        got.push_back(row.name + ":" + (row.code.empty() ? std::to_string(row.place) : row.code));
    EXPECT_EQ(got, (std::vector<std::string>{"Alpha:1", "Bravo:2", "Golf:3", "Delta:4", "Echo:DNF",
                                             "Hotel:DNF", "Foxtrot:OCS"}));
}

}  // namespace
}  // namespace korvane

#include "analysis/leg_analysis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "equator_race.h"

namespace korvane {
namespace {

using testing::analyse;
using testing::equatorRace;
using testing::makeBoat;
using testing::sampleTrack;

constexpr std::optional<double> kNotPassed;

// A passing time near `expected`, or none when `expected` is none.
void expectTime(std::optional<double> actual, std::optional<double> expected) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-6);
    }
}
// Bravo's third start crossing: 0.075' to go at 10.075' per 2003 s.
const double kBravoStart = 30 + 0.075 * 2003 / 10.075;
const double kBravoSpeed = 10.075 / 2003;  // minutes of latitude per second

class EquatorRace : public ::testing::Test {
  protected:
    void SetUp() override { result = analyse(model); }
    const BoatLegResult& boat(int b) const { return result.legs.boat(b); }

    RaceModel model = equatorRace();
    testing::AnalysedRace result;
};

// Passing times per boat and point (start, mark, finish).
struct PassingCase {
    int boat;
    std::optional<double> start, mark, finish;
    int rank;
};
void PrintTo(const PassingCase& c, std::ostream* os) {
    *os << "boat " << c.boat;
}

class EquatorPassings : public EquatorRace, public ::testing::WithParamInterface<PassingCase> {};

TEST_P(EquatorPassings, MatchTheHandWorkedTimes) {
    const PassingCase& c = GetParam();
    expectTime(boat(c.boat).passTime(0), c.start);
    expectTime(boat(c.boat).passTime(1), c.mark);
    expectTime(boat(c.boat).passTime(2), c.finish);
    EXPECT_EQ(boat(c.boat).finishRank, c.rank);
}

INSTANTIATE_TEST_SUITE_P(
    Boats, EquatorPassings,
    ::testing::Values(PassingCase{0, 3, 2000, 4003, 1},
                      // The last start crossing after the gun wins; the one before the gun
                      // is never recorded; the second finish crossing is not looked at.
                      PassingCase{1, kBravoStart, 2030, 4033, 3},
                      // Closest fix at 2000.5 s: halves go to the even second. Equal
                      // finishing times share rank 1 and rank 2 is skipped.
                      PassingCase{2, 3, 2000, 4003, 1},
                      // Never within 0.2' of the mark; the finish is still found.
                      PassingCase{3, 3, kNotPassed, 5003, 4},
                      // May not finish: the other passings stay, the finish is dropped and
                      // the boat ranks after every finisher.
                      PassingCase{4, 3, 2000, kNotPassed, 5}));

TEST_F(EquatorRace, RaceTotalsIgnoreBoatsThatDidNotFinish) {
    EXPECT_DOUBLE_EQ(result.legs.lastFinishTimeSeconds, 5003);
    ASSERT_EQ(result.legs.pointCount(), 3);
    expectTime(result.legs.leaderTime(0), 3);
    expectTime(result.legs.leaderTime(1), 2000);
    expectTime(result.legs.leaderTime(2), 4003);
    const auto last = result.legs.lastPointTimes();
    ASSERT_EQ(last.size(), 5u);
    expectTime(last[1], 4033);
    expectTime(last[4], kNotPassed);
}

TEST_F(EquatorRace, TracksEndThreeFixesAfterTheLastFixWithinAMinuteOfTheFinish) {
    // Alpha finishes at 4003: the last fix before 4063 is 4060, kept with 3 more.
    EXPECT_DOUBLE_EQ(model.boats[0].track.back().timeSeconds, 4090);
    EXPECT_DOUBLE_EQ(model.boats[1].track.back().timeSeconds, 4120);
    EXPECT_DOUBLE_EQ(model.boats[2].track.back().timeSeconds, 4090.5);
    EXPECT_DOUBLE_EQ(model.boats[3].track.back().timeSeconds, 5090);
    // Echo did not finish: its whole track stays.
    EXPECT_DOUBLE_EQ(model.boats[4].track.back().timeSeconds, 5300);
}

TEST_F(EquatorRace, SailedDistancesFollowTheTrack) {
    // Leg 1 counts from the gun (Alpha is 0.015' south of the line then) to
    // the rounding fix at 2000 s (9.985'). The fixes at 2000 and 2010 s cut
    // the corner at the mark, so the way back is 9.985' too.
    EXPECT_NEAR(boat(0).legDistance(0), 10.0 * 1852, 1e-6);
    EXPECT_NEAR(boat(0).legDistance(1), 9.985 * 1852, 1e-6);
    EXPECT_NEAR(boat(0).legDistance(2), 19.985 * 1852, 1e-6);
    // Bravo is 0.075' north of the line at the gun and dips back south.
    const double bravoTop = 10 - 3 * kBravoSpeed;  // its fix at 2030 s
    EXPECT_NEAR(boat(1).legDistance(0), (0.15 + bravoTop + 0.075) * 1852, 1e-6);
    EXPECT_NEAR(boat(1).legDistance(1), bravoTop * 1852, 1e-6);
    EXPECT_NEAR(boat(1).legDistance(2), (0.225 + 2 * bravoTop) * 1852, 1e-6);
    // A boat that missed the mark keeps only its whole-race distance.
    EXPECT_EQ(boat(3).legDistance(0), 0);
    EXPECT_EQ(boat(3).legDistance(1), 0);
    EXPECT_NEAR(boat(3).legDistance(2), (0.012 + 2 * 9.988) * 1852, 1e-6);
    // A boat without a finish gets no distances at all.
    for (int k = 0; k < 3; ++k) EXPECT_EQ(boat(4).legDistance(k), 0);
}

TEST_F(EquatorRace, DistancesUseTheLongitudeFactor) {
    RaceModel m = equatorRace();
    // Charlie sails due north and south: the factor must not matter.
    const auto half = analyse(m, 0.5);
    EXPECT_NEAR(half.legs.boat(2).legDistance(2), (0.015 + 2 * 9.9875) * 1852, 1e-6);
    EXPECT_NEAR(half.geometry.legs[0].lengthMetres, std::hypot(18520.0, 926.0), 1e-6);
}

TEST_F(EquatorRace, UpAndDownTotalsFollowTheLegKinds) {
    ASSERT_EQ(result.geometry.legs[0].kind, LegKind::Up);
    ASSERT_EQ(result.geometry.legs[1].kind, LegKind::Down);
    EXPECT_DOUBLE_EQ(boat(0).upTimeSeconds, 2000);
    EXPECT_NEAR(boat(0).upDistanceNm, 10, 1e-9);
    EXPECT_DOUBLE_EQ(boat(0).downTimeSeconds, 2003);
    EXPECT_NEAR(boat(0).downDistanceNm, 9.985, 1e-9);
    EXPECT_TRUE(boat(0).upTotalsComplete);
    EXPECT_TRUE(boat(0).downTotalsComplete);
    // Missed the mark: both sums are flagged.
    EXPECT_FALSE(boat(3).upTotalsComplete);
    EXPECT_FALSE(boat(3).downTotalsComplete);
    // No finish: the downwind leg ends at a point never passed.
    EXPECT_TRUE(boat(4).upTotalsComplete);
    EXPECT_FALSE(boat(4).downTotalsComplete);
}

// A one-point course whose only line runs north-south at 5' east.
RaceModel northSouthRace(double crossingTime) {
    RaceModel m;
    m.lines.append({-1, 5, 1, 5});
    m.race.course.append("L1");
    // Eastward at 0.005' a second along the equator, fixes every 10 s.
    m.boats.append(makeBoat("East", sampleTrack({{-95, 5 - (crossingTime + 95) * 0.005, 0},
                                                 {1000, 5 + (1000 - crossingTime) * 0.005, 0}},
                                                -95, 1000)));
    for (auto& p : m.boats[0].track) std::swap(p.latMinutes, p.lonMinutes);
    return m;
}

TEST(LegAnalysis, NorthSouthLineIsTestedByLongitude) {
    RaceModel m = northSouthRace(8);
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 8);
    EXPECT_EQ(r.legs.boat(0).finishRank, 1);
    EXPECT_EQ(r.geometry.legCount(), 0);
    // One point: its slot holds the distance from the gun to it (8 s at
    // 0.005'/s), and the track is not cut.
    EXPECT_NEAR(r.legs.boat(0).legDistance(0), 0.04 * 1852, 1e-6);
    EXPECT_DOUBLE_EQ(m.boats[0].track.back().timeSeconds, 995);
}

TEST(LegAnalysis, FinishInsideTheFirstSegmentAfterTheGun) {
    // Gun and finish both between the fixes at -5 s and 5 s: only the 3 s
    // between them count, not the rest of the track.
    RaceModel m = northSouthRace(3);
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 3);
    EXPECT_NEAR(r.legs.boat(0).legDistance(0), 0.015 * 1852, 1e-6);
}

TEST(LegAnalysis, LegEndingBeforeItStartsHasNoDistance) {
    RaceModel m = equatorRace();
    m.boats.clear();
    m.lines.append({5, 0, 5, 2});  // a gate halfway up
    m.race.course[1] = "L2";
    m.race.course[2] = "MK1";
    // Through the gate at 1003 s, round (finish at) the mark at 2000 s, then
    // cross the gate's extension 4' east of it at 2108.3 s, which overwrites
    // the gate's time: the leg from the gate to the mark now ends before it
    // starts.
    m.boats.append(makeBoat(
        "A",
        sampleTrack({{-90, -0.465, 1}, {2003, 10, 1}, {2100, 10, 5}, {2110, 4, 5}, {2300, 4, 5}},
                    -90, 2300)));
    const auto r = analyse(m);
    ASSERT_TRUE(r.legs.boat(0).finished());
    expectTime(r.legs.boat(0).passTime(1), 2100 + 10 * 5.0 / 6);
    expectTime(r.legs.boat(0).passTime(2), 2000);
    EXPECT_EQ(r.legs.boat(0).legDistance(1), 0);
    EXPECT_NEAR(r.legs.boat(0).legDistance(2), (0.015 + 9.985) * 1852, 1e-6);
}

TEST(LegAnalysis, SlopedLineAndItsExtension) {
    RaceModel m;
    m.lines.append({0, 0, 1, 1});  // north-east from the origin
    m.race.course.append("L1");
    // Due north along 0.5' east: meets the line at (0.5, 0.5) at 100 s.
    m.boats.append(makeBoat("On", sampleTrack({{-100, -0.5, 0.5}, {900, 4.5, 0.5}}, -100, 900)));
    // Due north along 3' east: crosses only the extension, at (3, 3), 200 s.
    m.boats.append(makeBoat("Off", sampleTrack({{-100, 1.5, 3}, {900, 6.5, 3}}, -100, 900)));
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 100);
    expectTime(r.legs.boat(1).passTime(0), 200);
}

TEST(LegAnalysis, StartWindowEndsTenMinutesAfterTheGun) {
    RaceModel m = equatorRace();
    m.boats.clear();
    // Crosses north at 50 s, back south at 700 s, north again at 800 s.
    m.boats.append(makeBoat(
        "Late", sampleTrack({{-90, -0.7, 1}, {375, 1.625, 1}, {750, -0.25, 1}, {2750, 9.75, 1}},
                            -90, 3000)));
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 50);
}

TEST(LegAnalysis, MarkAsFirstPointIsSearchedInTheFirstHalf) {
    RaceModel m;
    m.marks.append({0, 0});
    m.race.course.append("MK1");
    // Passes 0.1' from the mark at 100 s; returns to it exactly at 900 s,
    // in the second half of the track, which is not searched.
    m.boats.append(makeBoat(
        "A", sampleTrack({{0, -1, 0.1}, {100, 0, 0.1}, {500, 4, 0.1}, {900, 0, 0}, {1000, 0, 0}}, 0,
                         1000)));
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 100);
}

TEST(LegAnalysis, AFinishAfterAWeekIsStillARealFinish) {
    RaceModel m;
    m.lines.append({-1, 5, 1, 5});
    m.race.course.append("L1");
    m.boats.append(makeBoat("Slow", {{-10, 0, 4, 0, 0}, {1400010, 0, 6, 0, 0}}));
    const auto r = analyse(m);
    expectTime(r.legs.boat(0).passTime(0), 700000);
    EXPECT_NEAR(r.legs.lastFinishTimeSeconds, 700000, 1e-6);
    expectTime(r.legs.leaderTime(0), 700000);
}

TEST(LegAnalysis, TracksTooShortForTheSearchesPassNothing) {
    RaceModel m = equatorRace();
    m.boats.clear();
    m.boats.append(makeBoat("Empty", {}));
    m.boats.append(makeBoat("One", {{0, 0, 1, 0, 0}}));
    m.boats.append(makeBoat("Two", {{-10, -0.1, 1, 0, 0}, {10, 0.1, 1, 0, 0}}));
    const auto r = analyse(m);
    for (int b = 0; b < 2; ++b)
        for (int p = 0; p < 3; ++p) EXPECT_FALSE(r.legs.boat(b).passed(p));
    // Two fixes: half the track is one fix, so the start segment is found
    // through the fallback window (the whole track).
    expectTime(r.legs.boat(2).passTime(0), 0);
    EXPECT_EQ(r.legs.boat(2).finishRank, 1);
}

TEST(LegAnalysis, EmptyCourseGivesEmptyTables) {
    RaceModel m = equatorRace();
    m.race.course.clear();
    const auto r = analyse(m);
    EXPECT_EQ(r.legs.pointCount(), 0);
    EXPECT_TRUE(r.legs.lastPointTimes().empty());
    EXPECT_FALSE(r.legs.boat(0).finished());
    EXPECT_FALSE(r.legs.boat(0).passTime(0));
    EXPECT_EQ(m.boats[0].track.back().timeSeconds, 5300);
}

TEST(LegAnalysis, CourseOfTwentyPointsIsAnalysed) {
    RaceModel m;
    m.marks.append({0, 0});
    m.marks.append({1, 0});
    std::vector<testing::Waypoint> w;
    for (int i = 0; i < 20; ++i) {
        m.race.course.append(i % 2 ? "MK2" : "MK1");
        w.push_back({i * 200.0, i % 2 ? 1.0 : 0.0, 0});
    }
    w.push_back({4000, 0, 0});  // sails on: the last fix is never a rounding
    m.boats.append(makeBoat("Laps", sampleTrack(w, 0, 4000)));
    const auto r = analyse(m);
    ASSERT_EQ(r.legs.pointCount(), 20);
    for (int p = 0; p < 20; ++p) expectTime(r.legs.boat(0).passTime(p), p * 200.0);
    EXPECT_NEAR(r.legs.boat(0).legDistance(19), 19 * 1852.0, 1e-6);
}

}  // namespace
}  // namespace korvane

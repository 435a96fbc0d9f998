// Maneuvers of hand-made tracks: a straight run, one turn whose speed and
// course follow a known profile, and a straight run again, on the equator
// so that a minute of arc is 1852 m both ways.
#include "analysis/maneuvers.h"

#include "analysis/maneuver_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace korvane {
namespace {

constexpr double kKnot = 1852.0 / 3600.0;

// A turn from courseIn by turnDegrees at an even rate over the first ten
// seconds after t = 0, the speed falling from 6 kn to minKnots over those
// ten seconds and rising back to 6 kn over the next twenty. Fixes at 1 Hz
// from -120 s to 150 s, positions integrated in millisecond steps.
std::vector<TrackPoint> turnTrack(double courseIn, double turnDegrees, double minKnots = 2,
                                  double recoverySeconds = 20) {
    const auto speedAt = [&](double t) {
        if (t <= 0 || t >= 10 + recoverySeconds) return 6.0;
        if (t <= 10) return 6 - (6 - minKnots) * t / 10;
        return minKnots + (6 - minKnots) * (t - 10) / recoverySeconds;
    };
    const auto courseAt = [&](double t) {
        return courseIn + turnDegrees * std::clamp(t / 10, 0.0, 1.0);
    };
    std::vector<TrackPoint> track;
    double north = 0, east = 0;
    constexpr double dt = 0.001;
    for (int ms = -120000; ms <= 150000; ++ms) {
        const double t = ms * dt;
        if (ms % 1000 == 0)
            track.push_back({t, north / kMetresPerMinuteLat, east / kMetresPerMinuteLat, 0, 0});
        const double tm = t + dt / 2;
        const double a = courseAt(tm) * std::numbers::pi / 180;
        north += speedAt(tm) * kKnot * std::cos(a) * dt;
        east += speedAt(tm) * kKnot * std::sin(a) * dt;
    }
    return track;
}

ManeuverInput inputFor(const std::vector<TrackPoint>& track, double windDegrees) {
    ManeuverInput in;
    in.track = &track;
    in.windDirectionDegrees = windDegrees;
    in.fromSeconds = -60;
    in.toSeconds = 100;
    in.boatLengthMetres = 5;
    return in;
}

const LocalPlane kEquator(1.0);

TEST(Maneuvers, TackLossMatchesTheHandWorkedFigure) {
    // Wind from north; 315 to 045 through the eye. Along the bisector (north)
    // the boat carried on would make 6 cos45 kn for the 30 s until the speed
    // is back. The real boat makes, in kn s: over 0..10 s
    // integral (6 - 0.4t) cos(-45 + 9t deg) dt = 8 sin45 / (pi/20) = 36.013;
    // over 10..30 s at a mean 4 kn on 045: 80 cos45 = 56.569. Loss
    // (127.279 - 36.013 - 56.569) x 0.514444 = 17.850 m.
    const auto track = turnTrack(315, 90);
    const auto found = findManeuvers(inputFor(track, 0), kEquator);
    ASSERT_EQ(found.size(), 1u);
    const Maneuver& m = found[0];
    EXPECT_EQ(m.kind, ManeuverKind::Tack);
    ASSERT_TRUE(m.lossMetres && m.lossBoatLengths);
    EXPECT_NEAR(*m.lossMetres, 17.850, 1.0);
    EXPECT_NEAR(*m.lossBoatLengths, *m.lossMetres / 5, 1e-9);
    EXPECT_NEAR(m.turnDegrees, 90, 1);
    EXPECT_NEAR(m.courseInDegrees, 315, 0.5);
    EXPECT_NEAR(m.courseOutDegrees, 45, 0.5);
    EXPECT_NEAR(m.speedInKnots, 6, 0.01);
    EXPECT_NEAR(m.speedOutKnots, 6, 0.1);
    EXPECT_LT(m.speedMinKnots, 3.5);
    EXPECT_NEAR(m.timeSeconds, 5, 1.5);
    EXPECT_LE(m.entrySeconds, 0);
    EXPECT_GE(m.exitSeconds, 25);
}

TEST(Maneuvers, ATackAtFullSpeedGainsTheCornerItCuts) {
    // At 6 kn throughout the arc makes 6 x 2 sin45 / (pi/20) = 54.019 kn s
    // to the north in the 10 s of the turn against 60 cos45 = 42.426 carried
    // on: a gain of 11.593 x 0.514444 = 5.964 m, a negative loss.
    const auto track = turnTrack(315, 90, 6);
    const auto found = findManeuvers(inputFor(track, 0), kEquator);
    ASSERT_EQ(found.size(), 1u);
    ASSERT_TRUE(found[0].lossMetres);
    EXPECT_NEAR(*found[0].lossMetres, -5.964, 0.5);
}

struct KindCase {
    const char* name;
    double courseIn;
    double turn;
    double wind;
    bool passingAtTurn;
    ManeuverKind kind;
};

class ManeuverKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ManeuverKinds, FromTheWindAndThePassings) {
    const KindCase& c = GetParam();
    const auto track = turnTrack(c.courseIn, c.turn);
    ManeuverInput in = inputFor(track, c.wind);
    if (c.passingAtTurn) in.roundingTimesSeconds = {-300, 8, 900};
    const auto found = findManeuvers(in, kEquator);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, c.kind);
    EXPECT_NEAR(found[0].turnDegrees, c.turn, 1);
    // Carrying on past a mark is no yardstick: a rounding has no loss.
    EXPECT_EQ(found[0].lossMetres.has_value(), c.kind != ManeuverKind::Rounding);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, ManeuverKinds,
    ::testing::Values(KindCase{"TackToStarboard", 315, 90, 0, false, ManeuverKind::Tack},
                      KindCase{"TackToPort", 45, -90, 0, false, ManeuverKind::Tack},
                      KindCase{"TackThroughNorth", 5, 80, 45, false, ManeuverKind::Tack},
                      KindCase{"Gybe", 135, 90, 0, false, ManeuverKind::Gybe},
                      KindCase{"GybeThroughNorth", 330, 60, 180, false, ManeuverKind::Gybe},
                      KindCase{"ReachToReach", 45, 90, 0, false, ManeuverKind::Turn},
                      KindCase{"FullCircle", 90, 360, 0, false, ManeuverKind::Turn},
                      KindCase{"AtAMark", 45, 90, 0, true, ManeuverKind::Rounding}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Maneuvers, SmallCourseChangesAreNoManeuver) {
    // A dinghy steering through chop swings 15-25 degrees; no maneuver.
    const auto track = turnTrack(0, 25);
    EXPECT_TRUE(findManeuvers(inputFor(track, 0), kEquator).empty());
}

TEST(Maneuvers, WindFileSamplesAreTurnedTrue) {
    // The race's direction (90) would make this a turn; the wind file's
    // 7 degrees plus the -7 that turn them true make it a tack.
    const auto track = turnTrack(315, 90);
    const std::vector<WindSample> wind{{-600, 10, 7}, {600, 10, 7}};
    ManeuverInput in = inputFor(track, 90);
    in.windSamples = &wind;
    in.windSampleOffsetDegrees = -7;
    const auto found = findManeuvers(in, kEquator);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, ManeuverKind::Tack);
}

TEST(Maneuvers, GpsJumpsAreDroppedBeforeDetecting) {
    // One fix a kilometre off a straight run would make two sharp turns.
    auto track = turnTrack(0, 0);
    track[150].lonMinutes += 1000 / kMetresPerMinuteLat;
    EXPECT_TRUE(findManeuvers(inputFor(track, 90), kEquator).empty());
}

TEST(Maneuvers, LossAgainstTheMedianVmg) {
    // Upwind at 6 kn 45 degrees off the wind makes 6 cos45 kn of VMG: the
    // median, as the whole span is one upwind leg. The loss against it is the
    // loss against carrying on, since the entry was at that pace.
    const auto track = turnTrack(315, 90);
    ManeuverInput in = inputFor(track, 0);
    in.legSpans = {{-60, 100, true}};
    const auto found = findManeuvers(in, kEquator);
    ASSERT_EQ(found.size(), 1u);
    ASSERT_TRUE(found[0].lossVsMedianVmgMetres);
    EXPECT_NEAR(*found[0].lossVsMedianVmgMetres, found[0].lossMetres.value_or(0), 0.5);
    in.legSpans = {{-60, 100, false}};  // no upwind leg: no median to compare with
    EXPECT_FALSE(findManeuvers(in, kEquator)[0].lossVsMedianVmgMetres);
}

// A loss the bisector cannot measure is none, never a number: the boat not
// yet racing, a window reaching a mark's passing, a GPS step that would have
// the boat outsail itself.
struct LossCase {
    const char* name;
    double recoverySeconds;
    double startSeconds;
    double markSeconds;  // 0: no mark
    double stepMetres;   // every fix from 12 s on, moved ahead on the exit course
    ManeuverPhase phase;
    LossUnmeasured why;
};

class ManeuverLosses : public ::testing::TestWithParam<LossCase> {};

TEST_P(ManeuverLosses, OnlyWhatTheBisectorCanMeasure) {
    const LossCase& c = GetParam();
    auto track = turnTrack(315, 90, 2, c.recoverySeconds);
    for (TrackPoint& p : track)
        if (p.timeSeconds >= 12) {
            p.latMinutes += c.stepMetres * std::cos(std::numbers::pi / 4) / kMetresPerMinuteLat;
            p.lonMinutes += c.stepMetres * std::sin(std::numbers::pi / 4) / kMetresPerMinuteLat;
        }
    ManeuverInput in = inputFor(track, 0);
    in.startSeconds = c.startSeconds;
    if (c.markSeconds != 0) in.roundingTimesSeconds = {c.markSeconds};
    const auto found = findManeuvers(in, kEquator);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, ManeuverKind::Tack);
    EXPECT_EQ(found[0].phase, c.phase);
    EXPECT_EQ(found[0].unmeasured, c.why);
    EXPECT_EQ(found[0].lossMetres.has_value(), c.why == LossUnmeasured::No);
    EXPECT_EQ(found[0].lossBoatLengths.has_value(), c.why == LossUnmeasured::No);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ManeuverLosses,
    ::testing::Values(
        LossCase{"CleanTack", 20, -60, 0, 0, ManeuverPhase::Racing, LossUnmeasured::No},
        LossCase{"PreStartTack", 20, 60, 0, 0, ManeuverPhase::BeforeStart,
                 LossUnmeasured::NotRacing},
        LossCase{"WindowReachesTheStart", 20, 2, 0, 0, ManeuverPhase::Racing,
                 LossUnmeasured::NotRacing},
        LossCase{"TackIntoAMark", 40, -60, 42, 0, ManeuverPhase::Racing, LossUnmeasured::Mark},
        LossCase{"GpsStep", 20, -60, 0, 60, ManeuverPhase::Racing, LossUnmeasured::ImpossibleGain}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ManeuverSummary, OnlyRacingManeuversCount) {
    const auto tack = [](double loss, ManeuverPhase phase) {
        Maneuver m;
        m.kind = ManeuverKind::Tack;
        m.lossMetres = loss;
        m.phase = phase;
        return m;
    };
    const std::vector<Maneuver> boat{
        tack(10, ManeuverPhase::Racing), tack(-87, ManeuverPhase::BeforeStart),
        tack(2, ManeuverPhase::Racing), tack(30, ManeuverPhase::Racing),
        tack(90, ManeuverPhase::AfterFinish)};
    const ManeuverSummary s = summarizeManeuvers(boat, ManeuverKind::Tack);
    EXPECT_EQ(s.count, 3);
    EXPECT_DOUBLE_EQ(s.meanLossMetres.value_or(0), 14);
    EXPECT_DOUBLE_EQ(s.medianLossMetres.value_or(0), 10);
    EXPECT_DOUBLE_EQ(s.worstLossMetres.value_or(0), 30);
    EXPECT_DOUBLE_EQ(fleetMedianLoss({boat}, ManeuverKind::Tack).value_or(0), 10);
}

// The boats are shared out over threads: each table lands in its boat's
// slot, and one boat's failure reaches the caller instead of ending the
// program.
TEST(RaceManeuvers, EachBoatInItsSlotAndAFailureReachesTheCaller) {
    const auto work = [](int b) {
        if (b == 7) throw std::runtime_error("boat 7");
        std::vector<Maneuver> found(static_cast<std::size_t>(b % 3));
        for (Maneuver& m : found) m.timeSeconds = b;
        return found;
    };
    try {
        findManeuversOfEachBoat(12, work);
        FAIL() << "the failure was lost";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "boat 7");
    }
    const auto table = findManeuversOfEachBoat(7, work);
    ASSERT_EQ(table.size(), 7u);
    for (int b = 0; b < 7; ++b) {
        ASSERT_EQ(table[static_cast<std::size_t>(b)].size(), static_cast<std::size_t>(b % 3));
        for (const Maneuver& m : table[static_cast<std::size_t>(b)]) EXPECT_EQ(m.timeSeconds, b);
    }
}

}  // namespace
}  // namespace korvane

// Corrections made while the race is open: the report follows at once, and
// taking them back gives the report the race opened with.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/performance_report.h"
#include "session/race_session.h"

namespace korvane {
namespace {

std::shared_ptr<const RaceSession> openSample() {
    OpenRequest request;
    request.dataRoot = KORVANE_SOURCE_DIR "/sample";
    request.raceFile = "enoshima-cup.txt";
    return openRace(request);
}

std::string reportOf(const RaceSession& s) {
    return formatPerformanceReport(s.model, s.course, s.legs);
}

TEST(CorrectedPassings, PinMovesTheBoatsLegsAndClearingRestoresTheReport) {
    const auto opened = openSample();
    ASSERT_TRUE(opened->passingCorrections.empty());
    const std::string before = reportOf(*opened);
    const int boat = 2;
    const int point = 2;
    const BoatLegResult& was = opened->legs.boat(boat);
    ASSERT_TRUE(was.passed(point) && was.passed(point + 1));

    RaceSession pinned = *opened;
    PassingCorrections corrections;
    corrections.set({boat, point, PassingCorrectionKind::Pinned, *was.passTime(point) + 40});
    correctPassings(pinned, corrections);
    const std::string after = reportOf(pinned);
    EXPECT_NE(after, before);
    const BoatLegResult& now = pinned.legs.boat(boat);
    EXPECT_DOUBLE_EQ(*now.passTime(point), *was.passTime(point) + 40);
    // The legs on either side of the point change; every other leg, every
    // other boat and the whole-race distance stay.
    for (int k = 0; k < pinned.legs.pointCount(); ++k) {
        if (k == point - 1 || k == point) continue;
        EXPECT_EQ(now.legDistance(k), was.legDistance(k)) << "leg " << k;
        EXPECT_EQ(now.passTime(k), was.passTime(k)) << "point " << k;
    }
    EXPECT_NE(now.legDistance(point - 1), was.legDistance(point - 1));
    for (int b = 0; b < pinned.model.boatCount(); ++b) {
        if (b == boat) continue;
        EXPECT_EQ(pinned.legs.boat(b).passTimeSeconds, opened->legs.boat(b).passTimeSeconds);
        EXPECT_EQ(pinned.legs.boat(b).legDistanceMetres, opened->legs.boat(b).legDistanceMetres);
    }

    ASSERT_TRUE(corrections.clear(boat, point));
    correctPassings(pinned, corrections);
    EXPECT_EQ(reportOf(pinned), before);
}

TEST(CorrectedPassings, NotPassedDropsTheFinishAndTheRank) {
    const auto opened = openSample();
    RaceSession corrected = *opened;
    const int finish = opened->legs.pointCount() - 1;
    const auto winner = std::find_if(opened->legs.boats.begin(), opened->legs.boats.end(),
                                     [](const BoatLegResult& b) { return b.finishRank == 1; });
    ASSERT_NE(winner, opened->legs.boats.end());
    const int boat = static_cast<int>(winner - opened->legs.boats.begin());
    PassingCorrections corrections;
    corrections.set({boat, finish, PassingCorrectionKind::NotPassed, 0});
    correctPassings(corrected, corrections);
    EXPECT_FALSE(corrected.legs.boat(boat).finished());
    EXPECT_GT(corrected.legs.boat(boat).finishRank, 1);
    EXPECT_NE(corrected.legs.leaderTime(finish), opened->legs.leaderTime(finish));
    EXPECT_EQ(corrected.detectedLegs.boat(boat).passTimeSeconds,
              opened->legs.boat(boat).passTimeSeconds);
}

}  // namespace
}  // namespace korvane

#include "analysis/compare_series.h"

#include <gtest/gtest.h>

#include "equator_race.h"

namespace korvane {
namespace {

using testing::makeBoat;
using testing::sampleTrack;

struct GapCase {
    const char* what;
    int boatB;
    double behindSeconds;  // B behind A while both race
};

class CompareGap : public ::testing::TestWithParam<GapCase> {};

// Lead and Late sail the same track, Late a minute later: the series shows
// B a minute behind on both legs, and A against
// itself nothing at all, side by side or along the wind.
TEST_P(CompareGap, FollowsTheStandingsGap) {
    RaceModel m = testing::equatorRace();
    const auto lead = sampleTrack({{-90, -0.465, 1}, {2003, 10, 1}, {5300, -6.485, 1}}, -90, 5400);
    auto late = lead;
    for (TrackPoint& p : late) p.timeSeconds += 60;
    m.boats.clear();
    m.boats.append(makeBoat("Lead", lead));
    m.boats.append(makeBoat("Late", late));
    const testing::AnalysedRace race = testing::analyse(m);
    const CompareSeries s =
        compareSeries({&m, &race.geometry, &race.legs, LocalPlane(1), TimeMode::Elapsed}, 0,
                      GetParam().boatB, 10);
    ASSERT_FALSE(s.moments.empty());
    // Until the later finish: the tracks end there.
    EXPECT_GE(s.moments.back().timeSeconds, 4000);
    int checked = 0;
    for (const CompareMoment& c : s.moments) {
        // Round the mark the boats sail different legs for a minute, and the
        // standings' gap is an estimate there.
        if (c.timeSeconds < 300 || c.timeSeconds > 4000 ||
            (c.timeSeconds > 1900 && c.timeSeconds < 2200))
            continue;
        SCOPED_TRACE(c.timeSeconds);
        ASSERT_TRUE(c.behindSeconds.has_value());
        EXPECT_NEAR(*c.behindSeconds, GetParam().behindSeconds, 2);
        ASSERT_TRUE(c.boats[0] && c.boats[1] && c.windwardMetres);
        if (GetParam().boatB == 0) {
            EXPECT_EQ(*c.windwardMetres, 0);
        }
        // Straight up the beat and straight down the run: all speed is made good.
        EXPECT_NEAR(c.boats[0]->madeGoodKnots, c.boats[0]->speedKnots,
                    0.02 * c.boats[0]->speedKnots);
        ++checked;
    }
    EXPECT_GT(checked, 300);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareGap,
                         ::testing::Values(GapCase{"A against itself", 0, 0},
                                           GapCase{"the same track a minute later", 1, 60}),
                         [](const auto& info) {
                             return info.index == 0 ? "Itself" : "MinuteLater";
                         });

}  // namespace
}  // namespace korvane

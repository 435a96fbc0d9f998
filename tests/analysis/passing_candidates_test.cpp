#include "analysis/passing_candidates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/corrected_passings.h"
#include "equator_race.h"

namespace korvane {
namespace {

// A moment expected among a passing's candidates.
struct Expected {
    double timeSeconds;
    PassingKind kind;
};

struct CandidateCase {
    const char* what;
    int boat;
    int point;
    std::optional<Expected> chosen;
    std::vector<Expected> candidates;  // each must be offered (within 1 s)
};
void PrintTo(const CandidateCase& c, std::ostream* os) {
    *os << c.what;
}

class EquatorCandidates : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(EquatorCandidates, ExplainTheChoiceAndOfferTheRunnersUp) {
    const CandidateCase& c = GetParam();
    RaceModel model = testing::equatorRace();
    const testing::AnalysedRace race = testing::analyse(model);
    const auto explained =
        explainBoatPassings(model, race.geometry, race.legs, race.legs, {}, LocalPlane(1), c.boat);
    ASSERT_EQ(explained.size(), 3u);
    const PassingExplanation& e = explained[static_cast<std::size_t>(c.point)];
    EXPECT_FALSE(e.corrected);
    ASSERT_EQ(e.chosen.has_value(), c.chosen.has_value());
    if (c.chosen) {
        EXPECT_NEAR(e.chosen->timeSeconds, c.chosen->timeSeconds, 1e-6);
        EXPECT_EQ(e.chosen->kind, c.chosen->kind);
    }
    for (const Expected& want : c.candidates)
        EXPECT_TRUE(std::any_of(e.candidates.begin(), e.candidates.end(),
                                [&](const PassingMoment& m) {
                                    return std::fabs(m.timeSeconds - want.timeSeconds) < 1 &&
                                           m.kind == want.kind;
                                }))
            << "no " << passingKindName(want.kind) << " near " << want.timeSeconds;
    for (const PassingMoment& m : e.candidates) {
        EXPECT_LE(m.metresFromMark, kCandidateRadiusMetres);
        if (e.chosen) {
            EXPECT_GE(std::fabs(m.timeSeconds - e.chosen->timeSeconds), 1);
        }
    }
}

const double kBravoStart = 30 + 0.075 * 2003 / 10.075;

INSTANTIATE_TEST_SUITE_P(
    Tracks, EquatorCandidates,
    ::testing::Values(
        // Over the line at -35 s, back at 15 s, away at 44.9 s: the early
        // crossings are offered beside the one after the gun.
        CandidateCase{"early start",
                      1,
                      0,
                      Expected{kBravoStart, PassingKind::Crossing},
                      {{-35, PassingKind::Crossing}, {15, PassingKind::Crossing}}},
        // The finish is crossed again a minute later.
        CandidateCase{"double crossing",
                      1,
                      2,
                      Expected{4033, PassingKind::Crossing},
                      {{4093, PassingKind::Crossing}}},
        // 0.25' off the mark: no passing, but the closest fix is offered.
        CandidateCase{"wide rounding", 3, 1, std::nullopt, {{2500, PassingKind::Closest}}},
        CandidateCase{"plain rounding", 0, 1, Expected{2000, PassingKind::Closest}, {}}));

TEST(WideRounding, IsAtItsDistanceFromTheMark) {
    RaceModel model = testing::equatorRace();
    const testing::AnalysedRace race = testing::analyse(model);
    const auto e =
        explainBoatPassings(model, race.geometry, race.legs, race.legs, {}, LocalPlane(1), 3)[1];
    ASSERT_EQ(e.candidates.size(), 1u);
    EXPECT_NEAR(e.candidates[0].metresFromMark, 0.25 * kMetresPerMinuteLat, 1);
}

// A pin moves one passing; a point marked not passed loses it; the ranks
// follow, and what the detection chose stays on offer.
TEST(CorrectedPassings, MoveOnePassingAndTheRanks) {
    RaceModel model = testing::equatorRace();
    const testing::AnalysedRace race = testing::analyse(model);
    PassingCorrections corrections;
    corrections.set({3, 1, PassingCorrectionKind::Pinned, 2500});
    corrections.set({0, 2, PassingCorrectionKind::NotPassed, 0});
    LegAnalysis legs = race.legs;
    applyPassingCorrections(model, corrections, legs);
    for (int b = 0; b < 5; ++b)
        for (int p = 0; p < 3; ++p) {
            const bool moved = (b == 3 && p == 1) || (b == 0 && p == 2);
            if (!moved) {
                EXPECT_EQ(legs.boat(b).passTime(p), race.legs.boat(b).passTime(p));
            }
        }
    EXPECT_EQ(legs.boat(3).passTime(1), 2500);
    EXPECT_FALSE(legs.boat(0).passed(2));
    EXPECT_EQ(legs.boat(2).finishRank, 1);  // Charlie alone in front now
    EXPECT_EQ(legs.boat(1).finishRank, 2);
    const auto e = explainBoatPassings(model, race.geometry, legs, race.legs, corrections,
                                       LocalPlane(1), 0)[2];
    EXPECT_TRUE(e.corrected);
    EXPECT_FALSE(e.chosen);
    EXPECT_TRUE(std::any_of(e.candidates.begin(), e.candidates.end(), [](const PassingMoment& m) {
        return std::fabs(m.timeSeconds - 4003) < 1e-6 && m.kind == PassingKind::Crossing;
    }));
}

}  // namespace
}  // namespace korvane

#include "coast/landmarks.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Landmarks, ReadsTheSevenFields) {
    Landmark l;
    ASSERT_TRUE(parseLandmarkLine("AB01_Cape,3518.05,13928.50,4,1,RG,3.5", l));
    EXPECT_EQ(l.name, "Cape");
    EXPECT_DOUBLE_EQ(l.latMinutes, 35 * 60 + 18.05);
    EXPECT_DOUBLE_EQ(l.lonMinutes, 139 * 60 + 28.5);
    EXPECT_EQ(l.periodSeconds, 4);
    EXPECT_EQ(l.litSeconds, 1);
    EXPECT_EQ(l.colours, "RG");
    EXPECT_DOUBLE_EQ(l.size, 3.5);
}

struct NameCase {
    const char* field;
    const char* shown;
};

class LandmarkName : public ::testing::TestWithParam<NameCase> {};

TEST_P(LandmarkName, PrefixUpToTheFirstUnderscoreIsDropped) {
    Landmark l;
    ASSERT_TRUE(parseLandmarkLine(std::string(GetParam().field) + ",3518,13928,0,0,W,1", l));
    EXPECT_EQ(l.name, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Names, LandmarkName,
                         ::testing::Values(NameCase{"AB01_Cape", "Cape"},
                                           NameCase{"Enoshima", "Enoshima"},
                                           NameCase{"L_Jogashima_East", "Jogashima_East"},
                                           NameCase{"X_", ""}, NameCase{"灯台_江の島", "江の島"}));

class BadLandmarkLine : public ::testing::TestWithParam<const char*> {};

TEST_P(BadLandmarkLine, IsSkipped) {
    Landmark l;
    EXPECT_FALSE(parseLandmarkLine(GetParam(), l));
}

INSTANTIATE_TEST_SUITE_P(Lines, BadLandmarkLine,
                         ::testing::Values("A,1,2",                        // short
                                           "// Cape,3518,13928,4,1,R,3",   // comment
                                           "Cape,3518,13928,4,1,R",        // six fields
                                           "Cape,35,13928,4,1,R,3",        // no minutes
                                           "Cape,N3518,13928,4,1,R,3",     // letters
                                           "Cape,3518,139,4,1,R,3",        // no minutes
                                           "Cape,3518,13928,four,1,R,3",   // period
                                           "Cape,3518,13928,4,1,R,big"));  // size

TEST(Landmarks, KeepsThoseNearTheTracks) {
    // Track bounds 2100'-2110' N, 8370'-8380' E; kept inside
    // (2095, 2118) × (8365, 8385), all bounds open.
    const LatLonBox box{2110, 2100, 8380, 8370};
    const std::string file =
        "// name,lat,lon,period,lit,colours,size\r\n"
        "A_In,3505,13930,4,1,W,1\r\n"
        "A_North,3517.9,13930,4,1,W,1\r\n"
        "A_TooNorth,3518,13930,4,1,W,1\r\n"
        "A_South,3455.1,13930,4,1,W,1\r\n"
        "A_TooSouth,3455,13930,4,1,W,1\r\n"
        "A_TooEast,3505,13945,4,1,W,1\r\n"
        "A_West,3505,13925.1,4,1,W,1\r\n";
    const auto kept = readLandmarks(file, box);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[0].name, "In");
    EXPECT_EQ(kept[1].name, "North");
    EXPECT_EQ(kept[2].name, "South");
    EXPECT_EQ(kept[3].name, "West");
}

TEST(Landmarks, ReadsShiftJisNames) {
    // "江ノ島" in CP932.
    const std::string file = "X_\x8D\x5D\x83\x6D\x93\x87,3518,13928,4,1,W,1\r\n";
    const auto kept = readLandmarks(file, LatLonBox{2120, 2110, 8370, 8360});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].name, "江ノ島");
}

// The light timer as a stateful routine, step by step, to hold the pure
// phase function against.
struct SteppedLight {
    bool lit = false;
    LightColour colour;
    void step(const Landmark& l, int index, std::int64_t tick) {
        const int p = l.periodSeconds;
        if (p < 1) return;
        const std::int64_t a = (index + tick) % p;
        lit = false;
        if (a == 0) colour = colourOfLetter(l.colours.front());
        if (l.litSeconds >= a) lit = a != 0;
        if (l.colours.size() >= 2 && 2 * a == p) {
            lit = true;
            colour = colourOfLetter(l.colours.back());
        }
    }
};

TEST(LightPhase, RedGreenWithPeriodFour) {
    const Landmark l{"Cape", 0, 0, 4, 1, "RG", 1};
    struct Expect {
        bool lit;
        LightColour colour;
    };
    // Remainder (1 + n) mod 4 = 0, 1, 2, 3 for n = 3, 4, 5, 6.
    const Expect expected[] = {{false, LightColour::Red},
                               {true, LightColour::Red},
                               {true, LightColour::Green},
                               {false, LightColour::Green}};
    for (std::int64_t n = 3; n < 11; ++n) {
        const LightState s = lightPhase(l, 0, n);
        const Expect& e = expected[(n - 3) % 4];
        EXPECT_EQ(s.lit, e.lit) << "tick " << n;
        EXPECT_EQ(s.colour, e.colour) << "tick " << n;
    }
}

TEST(LightPhase, MatchesTheTimerStepByStep) {
    const Landmark lights[] = {
        {"", 0, 0, 4, 1, "RG", 1}, {"", 0, 0, 6, 4, "GR", 1}, {"", 0, 0, 5, 2, "RG", 1},
        {"", 0, 0, 1, 1, "R", 1},  {"", 0, 0, 10, 3, "W", 1}, {"", 0, 0, 8, 8, "GWR", 1},
        {"", 0, 0, 0, 1, "R", 1},  {"", 0, 0, -3, 1, "G", 1}, {"", 0, 0, 2, 0, "RG", 1},
    };
    for (int i = 0; i < static_cast<int>(std::size(lights)); ++i) {
        const Landmark& l = lights[i];
        SteppedLight timer{false, colourOfLetter(l.colours.front())};
        for (std::int64_t n = 1; n <= 40; ++n) {
            timer.step(l, i + 1, n);
            const LightState s = lightPhase(l, i, n);
            ASSERT_EQ(s.lit, timer.lit) << "landmark " << i << " tick " << n;
            ASSERT_EQ(s.colour, timer.colour) << "landmark " << i << " tick " << n;
        }
    }
}

}  // namespace
}  // namespace korvane

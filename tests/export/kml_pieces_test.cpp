// The rules behind the numbers and names of the KML files: snapshot steps,
// icon headings, the race folder's name, escaping and the colour table.
#include <gtest/gtest.h>

#include "export/kml_colours.h"
#include "export/kml_text.h"
#include "export/snapshot_plan.h"

namespace korvane {
namespace {

struct PlanCase {
    double timelineEndSeconds;
    int stepSeconds;
    int count;
};

class SnapshotSteps : public ::testing::TestWithParam<PlanCase> {};

TEST_P(SnapshotSteps, GrowWithTheRace) {
    const SnapshotPlan plan = snapshotPlan(GetParam().timelineEndSeconds);
    EXPECT_EQ(plan.stepSeconds, GetParam().stepSeconds);
    EXPECT_EQ(plan.count, GetParam().count);
}

// The timeline ends 30 s after the finish.
INSTANTIATE_TEST_SUITE_P(
    Races, SnapshotSteps,
    ::testing::Values(PlanCase{2 * 3600 + 30, 300, 26}, PlanCase{12 * 3600 + 30, 1200, 38},
                      PlanCase{20 * 3600 + 30, 1800, 42}, PlanCase{30 * 3600 + 30, 3600, 32},
                      PlanCase{14999, 300, 52}, PlanCase{15000, 600, 27}, PlanCase{29999, 600, 52},
                      PlanCase{30000, 1200, 27}, PlanCase{0, 300, 2}, PlanCase{-1e12, 300, 1}));

struct HeadingCase {
    double headingDegrees;
    int icon;
};

class IconHeading : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(IconHeading, NearestTenHalvesUp) {
    EXPECT_EQ(iconHeading(GetParam().headingDegrees), GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Headings, IconHeading,
                         ::testing::Values(HeadingCase{356, 0}, HeadingCase{354, 350},
                                           HeadingCase{355, 0}, HeadingCase{360, 0},
                                           HeadingCase{0, 0}, HeadingCase{4.99, 0},
                                           HeadingCase{5, 10}, HeadingCase{344.9, 340},
                                           HeadingCase{725, 10}, HeadingCase{-20, 350}));

struct NameCase {
    const char* caption;
    const char* name;
};

class RaceName : public ::testing::TestWithParam<NameCase> {};

TEST_P(RaceName, AfterFirstSpaceBeforeFirstDot) {
    EXPECT_EQ(kmlRaceName(GetParam().caption), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Captions, RaceName,
                         ::testing::Values(NameCase{"江の島カップ 2024 第3レース", ""},
                                           NameCase{"korvane  race5.txt", " race5"},
                                           NameCase{"nospace.txt", "nospace"},
                                           NameCase{"a b.c d.e", "b"}, NameCase{"", ""}));

TEST(KmlText, EscapesMarkupAndDropsControlCharacters) {
    EXPECT_EQ(escapeXml(R"(<Tom & "Jerry's">)"), "&lt;Tom &amp; &quot;Jerry&apos;s&quot;&gt;");
    EXPECT_EQ(escapeXml("a\x01"
                        "b\tc\r\n"),
              "ab\tc");
    EXPECT_EQ(escapeXml("江の島"), "江の島");
}

TEST(KmlText, NumbersInTheFileForms) {
    EXPECT_EQ(kmlDegrees(2118.6), "35.31");
    EXPECT_EQ(kmlDegrees(-19.5), "-0.325");
    EXPECT_EQ(kmlSpeed(5.125), "5.13");
    EXPECT_EQ(kmlSpeed(5.1249), "5.12");
    EXPECT_EQ(kmlSpeed(7), "7");
    EXPECT_EQ(kmlHeading(359.99), "359");
}

TEST(KmlColours, FifteenColoursRepeat) {
    EXPECT_EQ(boatKmlColourForSlot(0), "FFFF0000");
    EXPECT_EQ(boatKmlColourForSlot(14), "FF00FF80");
    EXPECT_EQ(boatKmlColourForSlot(16), "FF00FF00");
    EXPECT_EQ(boatKmlColourForSlot(80), boatKmlColourForSlot(5));
}

}  // namespace
}  // namespace korvane

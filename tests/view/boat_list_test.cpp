// The boat list's selection, the finish rankings and what the pointer over
// the map decides: the cases a sailor would notice going wrong.
#include <gtest/gtest.h>

#include "synthetic_race.h"
#include "view/boat_selection.h"
#include "view/colours.h"
#include "view/map_pointer.h"
#include "view/ranking_pictures.h"

namespace korvane {
namespace {

// Five boats: 0 and 1 in class 0, 2 and 3 in class 1, 4 in none.
RaceModel classRace() {
    RaceModel m = testing::syntheticRace(5, 30, 600);
    m.classes.append({"J24"});
    m.classes.append({"Melges 24 International"});
    const std::optional<int> classOf[] = {0, 0, 1, 1, std::nullopt};
    int b = 0;
    for (Boat& boat : m.boats) boat.classIndex = classOf[b++];
    m.classesSeparated = true;
    return m;
}

int visibleCount(const BoatSelection& s) {
    return s.boatCount() - s.hiddenCount();
}

// The race file hides a boat: its box starts unticked, and a click on it
// brings it onto the map ticked.
TEST(BoatSelection, AHiddenBoatStartsUntickedAndAClickShowsIt) {
    RaceModel m = classRace();
    m.boats[3].visible = false;
    BoatSelection s;
    s.reset(m);
    EXPECT_FALSE(s.checked(3) || s.visible(3));
    EXPECT_TRUE(s.checked(2) && s.visible(2));
    s.clickBoat(3, BoatClick::Left);
    EXPECT_TRUE(s.checked(3) && s.visible(3));
}

TEST(BoatSelection, RightClickLeavesExactlyThatBoat) {
    BoatSelection s;
    s.reset(classRace());
    s.clickBoat(2, BoatClick::Right);
    EXPECT_EQ(visibleCount(s), 1);
    EXPECT_TRUE(s.visible(2) && s.checked(2));
    for (int k = 0; k < s.classCount(); ++k) EXPECT_FALSE(s.classChecked(k));
}

TEST(BoatSelection, ShiftClickPinsAndUnpinsWithoutTouchingTheCheckBox) {
    BoatSelection s;
    s.reset(classRace());
    s.clickBoat(3, BoatClick::Left);  // unchecked first
    for (const bool pinned : {true, false}) {
        s.clickBoat(3, BoatClick::ShiftLeft);
        EXPECT_EQ(s.pinned().has_value(), pinned);
        EXPECT_FALSE(s.checked(3));
        EXPECT_FALSE(s.visible(3));
    }
}

TEST(BoatSelection, UncheckingAClassKeepsThePinnedBoatsTickButHidesIt) {
    BoatSelection s;
    s.reset(classRace());
    s.clickBoat(1, BoatClick::ShiftLeft);
    s.clickClass(0, false);
    EXPECT_TRUE(s.checked(1));
    EXPECT_FALSE(s.visible(1));
    EXPECT_FALSE(s.checked(0));
    EXPECT_TRUE(s.checked(2) && s.visible(4));  // other class and classless boats stay
    s.clickClass(1, true);                      // right click: that class alone
    EXPECT_TRUE(s.classChecked(1));
    EXPECT_FALSE(s.classChecked(0));
    EXPECT_TRUE(s.visible(2) && s.visible(3));
    s.checkAll();
    EXPECT_EQ(visibleCount(s), 5);

    DisplayState d;
    s.clickBoat(4, BoatClick::ShiftLeft);
    s.showIn(d);
    EXPECT_EQ(d.boatChecked, s.visibleBoats());
    EXPECT_EQ(d.pickedBoat, 4);
}

RaceModel rankedRace(std::vector<RankedBoat>& out) {
    RaceModel m = classRace();
    // Boat 1 never finished, boat 3 carries the old "not passed" value, boat
    // 0 and 4 finished level.
    const std::vector<std::optional<double>> times{3725, std::nullopt, 3600, 864000, 3725};
    const std::vector<int> ranks{2, 0, 1, 4, 2};
    out = rankedFinishers(m, times, ranks);
    return m;
}

TEST(Ranking, ListsOnlyFinishersAndTheirTimeBehindTheWinner) {
    std::vector<RankedBoat> f;
    const RaceModel m = rankedRace(f);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].boatIndex, 2);
    EXPECT_EQ(f[1].boatIndex, 0);
    EXPECT_EQ(f[2].boatIndex, 4);
    EXPECT_EQ(rankingRowText(f[1], 3600), QStringLiteral(" 2  Boat 1  (+0:02:05)"));

    const RankingPicture picture = drawRanking(f, m.boatCount());
    EXPECT_EQ(picture.winnerIndex, 2);
    EXPECT_EQ(picture.image.size(), QSize(185, 15 * 5 + 6));
    // Boats of equal rank get a row each: rows 1, 2 and 3 show their boat's colour.
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(picture.image.pixel(179, row * 15 - 10 + 12),
                  toQColor(f[static_cast<std::size_t>(row - 1)].colour).rgb())
            << row;
    EXPECT_EQ(picture.image.pixel(179, 4 * 15 - 10 + 12), qRgb(0, 0, 0));
}

TEST(Ranking, BehindTextHasWholeHoursAndTwoDigitMinutesAndSeconds) {
    const std::pair<double, const char*> cases[] = {
        {0, "0:00:00"}, {59.6, "0:01:00"}, {3725, "1:02:05"}, {36059, "10:00:59"}, {-3, "0:00:00"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(behindText(seconds), text) << seconds;
}

TEST(Ranking, ClassColumnsCutTheirNamesAndListSeenFinishersOnly) {
    EXPECT_EQ(classHeaderText("Melges 24 International"), QStringLiteral(" Melges 24 Inter"));
    EXPECT_EQ(classRowText(12, "Boat with a long name"), QStringLiteral(" 12 Boat with"));
    EXPECT_EQ(classRowText(1, "江の島スピリット号"), QStringLiteral(" 1 江の島スピリット号"));
    EXPECT_EQ(leftCharacters(QStringLiteral("𝔸𝔹𝔺𝔻"), 2), QStringLiteral("𝔸𝔹"));

    std::vector<RankedBoat> f;
    const RaceModel m = rankedRace(f);
    const std::vector<bool> none(5, false), some{true, false, true, false, true};
    EXPECT_EQ(drawClassRanking(m, f, none).size(), QSize(205, 24));
    // Boats 0 (class 0) and 2 (class 1) seen; boat 4 has no class.
    const QImage seen = drawClassRanking(m, f, some);
    EXPECT_EQ(seen.size(), QSize(205, 15 + 24));
    EXPECT_EQ(seen.pixel(98, 22), toQColor(m.boats.at(0).colour).rgb());
    EXPECT_EQ(seen.pixel(198, 22), toQColor(m.boats.at(2).colour).rgb());
}

struct TextCase {
    double minutes;
    const char* lat;
    const char* lon;
};

class PositionTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PositionTextTest, MinutesKeepTwoIntegerDigitsAndCutTheRest) {
    EXPECT_EQ(latitudeText(GetParam().minutes), QString::fromUtf8(GetParam().lat));
    EXPECT_EQ(longitudeText(GetParam().minutes), QString::fromUtf8(GetParam().lon));
}

INSTANTIATE_TEST_SUITE_P(Positions, PositionTextTest,
                         ::testing::Values(TextCase{5.1234, "N0:05.123", "E0:05.123"},
                                           TextCase{2118.9999, "N35:18.999", "E35:18.999"},
                                           TextCase{-65.1239, "S1:05.123", "W1:05.123"},
                                           TextCase{8370.25, "N139:30.250", "E139:30.250"},
                                           TextCase{300, "N5:00.000", "E5:00.000"}));

TEST(Pointer, ZonesAcrossTheMap) {
    struct Case {
        int x, y;
        bool autoTrace, showName;
        int labelLevel;
        bool vanes, wakes, blink;
        bool arrow;  // with the landmarks and the hidden boats
    };
    const Case cases[] = {
        {50, 50, true, false, 3, true, false, false, true},
        {300, 500, true, false, 2, false, false, false, true},
        {700, 550, true, false, 0, false, true, false, false},
        {700, 50, true, false, 0, false, false, true, false},
        {700, 50, false, false, 0, false, false, false, false},
        {700, 50, true, true, 1, false, false, false, false},
        {500, 300, true, false, 1, false, false, false, true},
    };
    for (const Case& c : cases) {
        const MapDetail z =
            pointerZones({c.x, c.y, 800, 600}, Page::Track, c.autoTrace, c.showName);
        EXPECT_EQ(z.labelLevel, c.labelLevel) << c.x << "," << c.y;
        EXPECT_EQ(z.windArrowOn, c.arrow) << c.x << "," << c.y;
        EXPECT_EQ(z.landmarksOn, c.arrow) << c.x << "," << c.y;
        EXPECT_EQ(z.showHiddenBoats, c.arrow) << c.x << "," << c.y;
        EXPECT_EQ(z.boatVanesOn, c.vanes) << c.x << "," << c.y;
        EXPECT_EQ(z.wakeColouringOn, c.wakes) << c.x << "," << c.y;
        EXPECT_EQ(z.blinkNamesOn, c.blink) << c.x << "," << c.y;
    }
    EXPECT_EQ(mapCaption("Cup", "note", 5.1234, 65, Page::Track, false),
              QStringLiteral("Cup       N0:05.123    E1:05.000      note"));
}

}  // namespace
}  // namespace korvane

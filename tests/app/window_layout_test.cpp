// Where the panels stand for a client size and the modes, and where the
// score panels step when the pointer comes over them.
#include "app/window_layout.h"

#include <gtest/gtest.h>

#include "app/control_panel.h"
#include "app/window_fixture.h"

namespace korvane {
namespace {

// The real control panel's height, as the window feeds it.
int controlPanelHeight() {
    app();
    WindowActions actions(nullptr);
    const ControlPanel panel(actions);
    return panel.height();
}

struct LayoutCase {
    const char* name;
    QSize client;
    SmallScreen mode;
    QSize smallSize;
    int boatListNeed;
    QRect map;
    QRect timeBar;
    QRect controls;
    QRect logo;
    QRect boatList;
    QPoint sizePanelAt;  // (0, 0) when no small screen
};
class WindowLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(WindowLayoutTest, PanelsStandWhereTheyShould) {
    const LayoutCase c = GetParam();
    LayoutInput in;
    in.client = c.client;
    in.controlPanelHeight = controlPanelHeight();
    in.boatListHeight = c.boatListNeed;
    in.smallScreen = c.mode;
    in.smallScreenMapSize = c.smallSize;
    in.sizePanel = QSize(420, 30);
    in.rankingPanel = QSize(210, 50);
    in.flagPanel = QSize(144, 47);
    const WindowLayout l = layoutWindow(in);
    EXPECT_EQ(l.map, c.map) << c.name;
    EXPECT_EQ(l.timeBar, c.timeBar) << c.name;
    EXPECT_EQ(l.controls, c.controls) << c.name;
    EXPECT_EQ(l.logo, c.logo) << c.name;
    EXPECT_EQ(l.boatList, c.boatList) << c.name;
    EXPECT_EQ(l.sizePanel.isEmpty() ? QPoint() : l.sizePanel.topLeft(), c.sizePanelAt) << c.name;
    // The flag and the ranking keep 5 pixels from the map's right edge.
    EXPECT_EQ(l.flagPanel.right() + 1, l.map.right() + 1 - 5) << c.name;
    EXPECT_EQ(l.rankingPanel.right() + 1, l.map.right() + 1 - 5) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, WindowLayoutTest,
    ::testing::Values(LayoutCase{"1280 wide",
                                 {1280, 800},
                                 SmallScreen::Off,
                                 {},
                                 100,
                                 {0, 0, 965, 800},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {}},
                      LayoutCase{"a boat list taller than the room covers the logo and "
                                 "scrolls above the controls",
                                 {1280, 800},
                                 SmallScreen::Off,
                                 {},
                                 700,
                                 {0, 0, 965, 800},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 0, 265, 545},
                                 {}},
                      LayoutCase{
                          "a boat list a little too tall rises over the logo, not the controls",
                          {1280, 800},
                          SmallScreen::Off,
                          {},
                          400,
                          {0, 0, 965, 800},
                          {965, 0, 50, 800},
                          {1015, 545, 265, 255},
                          {1015, 0, 265, 200},
                          {1015, 145, 265, 400},
                          {}},
                      LayoutCase{"the smallest window keeps the controls whole",
                                 {640, 480},
                                 SmallScreen::Off,
                                 {},
                                 0,
                                 {0, 0, 325, 480},
                                 {325, 0, 50, 480},
                                 {375, 225, 265, 255},
                                 {375, 0, 265, 200},
                                 {375, 200, 265, 25},
                                 {}},
                      LayoutCase{"800 x 600",
                                 {1280, 800},
                                 SmallScreen::S800x600,
                                 {800, 600},
                                 0,
                                 {0, 0, 800, 600},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {190, 635}},
                      LayoutCase{"800 x 480",
                                 {1280, 800},
                                 SmallScreen::S800x480,
                                 {800, 480},
                                 0,
                                 {0, 0, 800, 480},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {190, 515}},
                      LayoutCase{"640 x 480",
                                 {1280, 800},
                                 SmallScreen::S640x480,
                                 {640, 480},
                                 0,
                                 {0, 0, 640, 480},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {110, 515}},
                      LayoutCase{"480 x 320: the size panel 355 from the top",
                                 {1280, 800},
                                 SmallScreen::S480x320,
                                 {480, 320},
                                 0,
                                 {0, 0, 480, 320},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {30, 355}},
                      LayoutCase{"a typed size",
                                 {1280, 800},
                                 SmallScreen::Preference,
                                 {500, 300},
                                 0,
                                 {0, 0, 500, 300},
                                 {965, 0, 50, 800},
                                 {1015, 545, 265, 255},
                                 {1015, 0, 265, 200},
                                 {1015, 200, 265, 345},
                                 {40, 335}}));

// The time entry stands at the window's bottom, or just above the picture
// settings while they are shown, never over them.
TEST(WindowLayoutPanels, TheJumpPanelStandsAboveThePictureSettings) {
    LayoutInput in;
    in.client = QSize(1280, 800);
    in.jumpPanel = QSize(270, 70);
    in.pictureSettings = QSize(275, 80);
    for (const bool shown : {false, true}) {
        in.pictureSettingsShown = shown;
        const WindowLayout l = layoutWindow(in);
        EXPECT_EQ(l.pictureSettings.bottomLeft(), QPoint(5, 794));
        EXPECT_EQ(l.jumpPanel.left(), 5);
        EXPECT_EQ(l.jumpPanel.bottom(), shown ? l.pictureSettings.top() - 4 : 799);
    }
}

// A small map is the frame of a movie: the picture settings stay off it.
TEST(WindowLayoutPanels, ThePictureSettingsStayOffASmallMap) {
    LayoutInput in;
    in.client = QSize(1280, 800);
    in.smallScreen = SmallScreen::S480x320;
    in.smallScreenMapSize = QSize(480, 320);
    in.pictureSettings = QSize(275, 80);
    in.pictureSettingsShown = true;
    in.jumpPanel = QSize(270, 70);
    const WindowLayout l = layoutWindow(in);
    EXPECT_EQ(l.pictureSettings.bottomLeft(), QPoint(5, 794));
    EXPECT_FALSE(l.pictureSettings.intersects(l.map));
    EXPECT_FALSE(l.jumpPanel.intersects(l.map));
}

TEST(SmallScreenSizes, FixedSizesAndTypedOnes) {
    EXPECT_EQ(smallScreenSize(SmallScreen::S800x600, {}), QSize(800, 600));
    EXPECT_EQ(smallScreenSize(SmallScreen::S480x320, {}), QSize(480, 320));
    EXPECT_EQ(smallScreenSize(SmallScreen::Preference, {700, 400}), QSize(700, 400));
    struct Typed {
        const char* w;
        const char* h;
        std::optional<QSize> size;
    };
    for (const Typed t :
         {Typed{"640", "400", QSize(640, 400)}, Typed{" 500 ", "320", QSize(500, 320)},
          Typed{"abc", "320", std::nullopt}, Typed{"640", "", std::nullopt},
          Typed{"0", "320", std::nullopt}, Typed{"-640", "320", std::nullopt},
          Typed{"640.5", "320", std::nullopt}, Typed{"99999999", "320", std::nullopt}})
        EXPECT_EQ(preferenceSize(QString::fromLatin1(t.w), QString::fromLatin1(t.h)), t.size)
            << t.w << " x " << t.h;
}

struct MoveCase {
    const char* name;
    ScoreHover hovered;
    QPoint rankingAt, classAt;
    QPoint rankingTo, classTo;
};
class ScoreMoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(ScoreMoveTest, PanelsStepAside) {
    const MoveCase c = GetParam();
    const QSize map(1000, 800);
    ScorePlaces p{QRect(c.rankingAt, QSize(185, 100)), QRect(c.classAt, QSize(205, 60))};
    p = moveOutOfTheWay(c.hovered, p, map);
    EXPECT_EQ(p.ranking.topLeft(), c.rankingTo) << c.name;
    EXPECT_EQ(p.classRanking->topLeft(), c.classTo) << c.name;
    EXPECT_EQ(p.ranking.size(), QSize(185, 100)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Hovers, ScoreMoveTest,
    ::testing::Values(MoveCase{"ranking at the right goes left, class ranking down",
                               ScoreHover::Ranking,
                               {810, 5},
                               {300, 5},
                               {5, 5},
                               {300, 735}},
                      MoveCase{"ranking at the left goes right",
                               ScoreHover::Ranking,
                               {5, 5},
                               {300, 5},
                               {810, 5},
                               {300, 5}},
                      MoveCase{"ranking at the right, class ranking already low",
                               ScoreHover::Ranking,
                               {810, 5},
                               {300, 735},
                               {5, 5},
                               {300, 735}},
                      MoveCase{"class frame at the top goes down",
                               ScoreHover::ClassRankingFrame,
                               {5, 5},
                               {300, 5},
                               {810, 5},
                               {300, 735}},
                      MoveCase{"class frame at the bottom goes up",
                               ScoreHover::ClassRankingFrame,
                               {5, 5},
                               {300, 735},
                               {810, 5},
                               {300, 5}},
                      MoveCase{"class picture at the bottom goes up",
                               ScoreHover::ClassRankingPicture,
                               {5, 5},
                               {300, 735},
                               {810, 5},
                               {300, 5}},
                      MoveCase{"class picture at the top goes down, ranking stays",
                               ScoreHover::ClassRankingPicture,
                               {5, 5},
                               {300, 5},
                               {5, 5},
                               {300, 735}}));

TEST(ScoreMoves, WithoutAClassRankingOnlyTheRankingMoves) {
    const ScorePlaces p{QRect(810, 5, 185, 100), std::nullopt};
    const ScorePlaces q = moveOutOfTheWay(ScoreHover::ClassRankingPicture, p, {1000, 800});
    EXPECT_EQ(q.ranking, p.ranking);
    EXPECT_EQ(moveOutOfTheWay(ScoreHover::Ranking, p, {1000, 800}).ranking.left(), 5);
}

}  // namespace
}  // namespace korvane

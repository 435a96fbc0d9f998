// The window's texts and the tips that follow the pointer, offscreen: every
// captioned control in both languages, the map's, overview's and boat
// list's tips, the corrected-time banner and the logo panel's size read-out.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScreen>

#include "app/map_tips.h"
#include "ui_text/caption_table.h"
#include "window_fixture.h"

namespace korvane {
namespace {

void moveOver(QWidget* w, QPoint at) {
    QEnterEvent enter(at, at, w->mapToGlobal(QPointF(at)));
    QCoreApplication::sendEvent(w, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

QString captionOf(const QWidget* w, const CaptionRow& row) {
    if (row.target == CaptionTarget::ToolTip) return w->toolTip();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    return {};
}

const CaptionRow* captionRowOf(const QString& name) {
    for (const CaptionRow& row : captionTable())
        if (name == QString::fromUtf8(row.objectName)) return &row;
    return nullptr;
}

std::unique_ptr<MainWindow> shownWindow(const std::string& race, bool editMode = false) {
    app();
    auto w = makeWindow(StartChoice{kSample, race, editMode}, buildRaceList(kSample).names);
    w->resize(1280, 800);
    w->openRace(race);
    waitForOpening(*w);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

QLabel* tipBox(const MainWindow& w) {
    return w.chrome()->tips()->box();
}

// In editing mode the editing panel is on show too.
TEST(WindowTexts, EveryVisibleCaptionedControlHasItsCaptionAndTipInBothLanguages) {
    const auto w = shownWindow("enoshima-cup.txt", true);
    ASSERT_NE(w->session(), nullptr);
    ASSERT_TRUE(w->editPanel()->isVisible());
    for (const Language language : {Language::Japanese, Language::English}) {
        w->chrome()->setLanguage(language);
        int captions = 0, tips = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisible() || c->objectName().isEmpty()) continue;
            if (const CaptionRow* row = captionRowOf(c->objectName())) {
                EXPECT_FALSE(captionOf(c, *row).trimmed().isEmpty()) << row->objectName;
                ++captions;
            }
            const TipRow* tip = findTip(c->objectName().toStdString());
            if (!tip || tip->shown == TipShown::WhilePlaying) continue;
            tipBox(*w)->hide();
            moveOver(c, {2, 2});
            EXPECT_TRUE(tipBox(*w)->isVisible()) << tip->objectName;
            EXPECT_FALSE(tipBox(*w)->text().isEmpty()) << tip->objectName;
            ++tips;
        }
        // The control panel, the flags, the boat list's title, the logo and
        // the nine captions of the editing panel.
        EXPECT_GE(captions, 25);
        EXPECT_GE(tips, 14);
    }
    // The editing panel speaks the language on show.
    w->chrome()->setLanguage(Language::Japanese);
    EXPECT_EQ(w->editPanel()->findChild<QRadioButton*>("markPosButton")->text(),
              QStringLiteral("マーク位置設定"));
}

struct MapTipCase {
    const char* name;
    MapTipState state;
    QPoint at;
    std::optional<PointerTip> expected;
};

class MapTipChoice : public ::testing::TestWithParam<MapTipCase> {};

TEST_P(MapTipChoice, FollowsTheModeAndThePointer) {
    const MapTipCase& c = GetParam();
    EXPECT_EQ(mapTipAt(c.state, c.at, {800, 600}), c.expected) << c.name;
}

MapTipState stopped(bool editMode = false, EditAction action = EditAction::None) {
    MapTipState s;
    s.autoTrace = false;
    s.playing = false;
    s.editMode = editMode;
    s.editAction = action;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    States, MapTipChoice,
    ::testing::Values(
        MapTipCase{"static map", stopped(), {400, 300}, PointerTip::MapZoom},
        MapTipCase{"editing, no step", stopped(true), {400, 300}, PointerTip::MapZoomEditing},
        MapTipCase{
            "marks", stopped(true, EditAction::PlaceMarks), {400, 300}, PointerTip::EditMark},
        MapTipCase{"second end",
                   stopped(true, EditAction::LineSecondEnd),
                   {400, 300},
                   PointerTip::EditLineEnd},
        MapTipCase{
            "course", stopped(true, EditAction::BuildCourse), {400, 300}, PointerTip::EditCourse},
        MapTipCase{"drawing wind",
                   stopped(true, EditAction::DrawWind),
                   {400, 300},
                   PointerTip::MapZoomEditing},
        MapTipCase{"live map, bottom band", MapTipState{}, {400, 550}, PointerTip::Wake},
        MapTipCase{"live map, above the band", MapTipState{}, {400, 500}, std::nullopt},
        MapTipCase{"live map, wind graph", MapTipState{}, {50, 200}, PointerTip::WindGraph},
        MapTipCase{"stopped, wind graph", stopped(), {50, 200}, PointerTip::MapZoom},
        MapTipCase{"another page", MapTipState{false, false, false}, {400, 300}, std::nullopt}));

TEST(PointerTipsInTheWindow, MapOverviewAndBoatListShowTheirTips) {
    const auto w = shownWindow("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    w->chrome()->setLanguage(Language::English);
    MapView* map = w->map();
    const QPoint mapOrigin = map->mapTo(w->centralWidget(), QPoint(0, 0));
    // The live map tells about the wake colours only along its bottom.
    moveOver(map, {300, map->height() - 20});
    ASSERT_TRUE(tipBox(*w)->isVisible());
    TipController* tips = w->chrome()->tips();
    const TipBox wake = tips->pointerTip(PointerTip::Wake);
    EXPECT_EQ(tipBox(*w)->text().toStdString(), wake.text);
    EXPECT_EQ(tipBox(*w)->geometry().topLeft(), mapOrigin + QPoint(map->width() - 275, 5));
    // The static map explains its clicks above the pointer, in a box never
    // smaller than the table's, larger where the font needs it.
    w->controls()->setAutoTrace(false);
    w->chrome()->setLanguage(Language::Japanese);
    moveOver(map, {400, 400});
    const TipBox zoom = tips->pointerTip(PointerTip::MapZoom);
    EXPECT_EQ(tipBox(*w)->text().toStdString(), zoom.text);
    EXPECT_GE(zoom.rect.width, 270);
    EXPECT_GE(zoom.rect.height, 85);
    EXPECT_EQ(tipBox(*w)->geometry(),
              QRect(mapOrigin + QPoint(400 - zoom.rect.width / 2, 400 - 100 - zoom.rect.height),
                    QSize(zoom.rect.width, zoom.rect.height)));
    // The overview, with the replay stopped: left of the pointer.
    OverviewPanel* overview = w->overviewPanel();
    const QPoint inOverview = overview->overviewRect().center();
    moveOver(overview, inOverview);
    EXPECT_EQ(tipBox(*w)->text(), QStringLiteral("地図の中心をクリック地点に移動"));
    const int overviewTipWidth = tips->pointerTip(PointerTip::Overview).rect.width;
    EXPECT_EQ(tipBox(*w)->geometry().topLeft(),
              overview->mapTo(w->centralWidget(), inOverview - QPoint(overviewTipWidth + 5, -5)));
    // A boat's box names the boat, under the list at its left.
    QCheckBox* box = boatBox(*w->boatPanel(), 1);
    moveOver(box, {2, 2});
    EXPECT_TRUE(tipBox(*w)->text().contains(QStringLiteral("右ｸﾘｯｸで") + box->text()));
    EXPECT_EQ(tipBox(*w)->geometry().topLeft(),
              w->boatPanel()->mapTo(
                  w->centralWidget(),
                  QPoint(0, std::min(w->boatPanel()->neededHeight(), w->boatPanel()->height()))));
    // Tips off: the pointer's tips stay away.
    w->controls()->setTips(false);
    tipBox(*w)->hide();
    moveOver(map, {400, 400});
    moveOver(box, {2, 2});
    EXPECT_FALSE(tipBox(*w)->isVisible());
}

// As over the map, a control's tip does not follow the pointer onto a page.
TEST(PointerTipsInTheWindow, APagePutsAControlsTipAway) {
    const auto w = shownWindow("enoshima-cup.txt");
    w->actions().trigger(Command::GraphPage);
    moveOver(w->controls()->findChild<QCheckBox*>("showNameBox"), {2, 2});
    ASSERT_TRUE(tipBox(*w)->isVisible());
    moveOver(w->pages(), {300, 300});
    EXPECT_FALSE(tipBox(*w)->isVisible());
}

TEST(CorrectedTimeBanner, OnlyOverTheFullSizeMapOfACorrectedTimeRace) {
    struct Case {
        const char* race;
        bool graphPage, smallScreen, shown;
    };
    for (const Case c :
         {Case{"enoshima-ct.txt", false, false, true}, Case{"enoshima-ct.txt", true, false, false},
          Case{"enoshima-ct.txt", false, true, false},
          Case{"enoshima-cup.txt", false, false, false}}) {
        const auto w = shownWindow(c.race);
        ASSERT_NE(w->session(), nullptr) << c.race;
        if (c.graphPage) w->actions().trigger(Command::GraphPage);
        if (c.smallScreen) w->controls()->setSmallScreen(true);
        EXPECT_EQ(w->ctBanner()->isVisible(), c.shown) << c.race << c.graphPage << c.smallScreen;
        if (c.shown) {
            EXPECT_EQ(w->ctBanner()->text(), QStringLiteral("CT(Corrected Time) Mode"));
            // The given size at least, and room for the whole text.
            const QSize size = w->ctBanner()->size();
            EXPECT_EQ(size, QSize(329, 33).expandedTo(w->ctBanner()->sizeHint()));
            EXPECT_GE(size.width(),
                      w->ctBanner()->fontMetrics().horizontalAdvance(w->ctBanner()->text()));
        }
    }
}

TEST(LogoPanel, SizeReadOutFollowsTheWindowAndAClickCentresIt) {
    const auto w = shownWindow("enoshima-cup.txt");
    QLabel* readout = w->overviewPanel()->findChild<QLabel*>("sizeReadout");
    for (const QSize size : {QSize(1024, 740), QSize(700, 500)}) {
        w->resize(size);
        QCoreApplication::processEvents();
        const QSize client = w->centralWidget()->size();
        EXPECT_EQ(readout->text(),
                  QStringLiteral("%1x%2").arg(client.width()).arg(client.height()));
    }
    w->move(0, 0);
    const int beeps = w->beepCount();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), readout->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(readout, &press);
    QCoreApplication::processEvents();
    const QRect screen = w->screen()->availableGeometry();
    ASSERT_LE(w->frameGeometry().width(), screen.width());
    EXPECT_EQ(w->frameGeometry().center(), screen.center());
    EXPECT_EQ(w->beepCount(), beeps + 1);
}

}  // namespace
}  // namespace korvane

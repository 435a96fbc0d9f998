// The window on the sample race, offscreen: opening, control defaults, and
// the replay driven by injected ticks instead of waiting on real timers.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "app/window_fixture.h"
#include "app/window_font.h"
#include "race/race_list.h"
#include "race/race_time.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

TEST(MainWindow, OpensTheSampleWithItsCaptionAndDefaults) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("江の島カップ 2024 第3レース")));
    EXPECT_TRUE(w->windowTitle().contains(QStringLiteral("2024")));
    const ControlPanel* c = w->controls();
    EXPECT_EQ(c->raceText(), QStringLiteral("enoshima-cup.txt"));
    const DisplayOptions& o = c->displayOptions();
    EXPECT_EQ(o.zoomPosition, 75);
    EXPECT_EQ(c->findChild<QScrollBar*>("speedBar")->maximum(), 136);
    EXPECT_EQ(c->speedBarPosition(), w->clock().speedBarPosition());
    EXPECT_EQ(c->speedText(), QString::number(w->clock().speed()) + "X");
    EXPECT_TRUE(o.autoTrace && o.showName && o.bigBoat);
    EXPECT_FALSE(o.layLine || o.compLine || o.smallScreen);
    EXPECT_TRUE(c->autoNext());
    EXPECT_TRUE(w->actions()[Command::TrackPage]->isChecked());
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), w->session()->model.race.timelineBegin);
    EXPECT_FALSE(w->splash()->isVisible());
    EXPECT_FALSE(w->map()->frame().isNull());
}

// The buttons that stand on the map (standings, stopwatch) are laid out
// again as an opening starts; the splash must still cover them.
TEST(MainWindow, TheSplashCoversTheButtonsOnTheMap) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();
    emit w->controller().openingStarted(QStringLiteral("valencia.txt"));
    ASSERT_TRUE(w->splash()->isVisible());
    for (const char* name : {"standingsButton", "stopwatchButton"}) {
        const auto* button = w->findChild<QWidget*>(name);
        ASSERT_NE(button, nullptr) << name;
        const QPoint centre = button->mapTo(w->centralWidget(), button->rect().center());
        const QWidget* top = w->centralWidget()->childAt(centre);
        EXPECT_TRUE(top == w->splash() || w->splash()->isAncestorOf(top)) << name;
    }
}

TEST(MainWindow, InjectedTicksMoveTheReplayAtTheChosenSpeed) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    // The sample's photographs would hold the replay on the way.
    w->pictures()->settings()->setPicturesOn(false);
    // Speed bar positions 0, 36 and 136 give 1, 10 and 1500 race seconds a second.
    struct Case {
        int bar;
        int speed;
    };
    for (const Case c : {Case{0, 1}, Case{36, 10}, Case{136, 1500}}) {
        w->controller().setSpeedBarPosition(c.bar, false);
        EXPECT_EQ(w->clock().speed(), c.speed);
        for (const Command play : {Command::PlayForward, Command::PlayBackward}) {
            w->actions().trigger(play);
            const int sign = play == Command::PlayForward ? 1 : -1;
            // Jump to the middle so neither end of the timeline interferes.
            w->actions().trigger(Command::Stop);
            const double mid =
                (w->session()->model.race.timelineBegin + w->session()->model.race.timelineEnd) / 2;
            w->jumpPanel()->showMoment(w->session()->model.race.start + mid / 86400);
            w->jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
            const double from = w->clock().timeSeconds();
            w->actions().trigger(play);
            for (int k = 0; k < 10; ++k) w->controller().frameTick(100);  // one real second
            EXPECT_NEAR(w->clock().timeSeconds() - from, sign * c.speed, 1e-6)
                << "speed " << c.speed << " sign " << sign;
        }
    }
}

TEST(MainWindow, StopShowsTheJumpPanelAndStepsWrapAtTheEnds) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    const Race& race = w->session()->model.race;
    w->actions().trigger(Command::Stop);
    EXPECT_FALSE(w->jumpPanel()->isHidden());
    EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    w->actions().trigger(Command::StepBackward);  // from the beginning back to the end
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineEnd);
    w->actions().trigger(Command::StepForward);
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineBegin);
    w->jumpPanel()->findChild<QPushButton*>("jumpToStartButton")->click();
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), 0);
}

TEST(MainWindow, CountdownBeepsAndTheGunAtTheStart) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->controller().setSpeedBarPosition(0, false);  // 1X
    w->actions().trigger(Command::Stop);
    w->jumpPanel()->showMoment(w->session()->model.race.start - 31.0 / 86400);
    w->jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
    w->actions().trigger(Command::PlayForward);
    const int beepsBefore = w->beepCount();
    const int gunsBefore = w->gun().timesPlayed();
    for (int s = 0; s < 32; ++s) {
        for (int k = 0; k < 10; ++k) w->controller().frameTick(100);
        w->controller().secondTick();
    }
    // A beep each second from -30 s to the gun, the -60 s minute long gone.
    EXPECT_EQ(w->beepCount() - beepsBefore, 30);
    EXPECT_EQ(w->gun().timesPlayed() - gunsBefore, 1);
}

TEST(MainWindow, AFinishAddsARowAndFiresTheGun) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    const RaceSession& s = *w->session();
    double winner = 1e9;
    for (int b = 0; b < s.model.boatCount(); ++b)
        if (s.legs.boat(b).finished())
            winner = std::min(winner, *s.legs.boat(b).passTime(s.legs.boat(b).pointCount() - 1));
    ASSERT_LT(winner, 1e9);
    w->controller().setSpeedBarPosition(0, false);
    w->actions().trigger(Command::Stop);
    w->jumpPanel()->showMoment(s.model.race.start + std::floor(winner - 2) / 86400);
    w->jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
    w->actions().trigger(Command::PlayForward);
    const int guns = w->gun().timesPlayed();
    for (int k = 0; k < 40; ++k) w->controller().frameTick(100);
    EXPECT_GE(w->finishPanel()->rowCount(), 1);
    EXPECT_EQ(w->gun().timesPlayed() - guns, w->finishPanel()->rowCount());
    EXPECT_FALSE(w->finishPanel()->isHidden());
    EXPECT_EQ(w->finishPanel()->height(), 15 * w->finishPanel()->rowCount() + 20);
    // The winner is the time bar's reference boat.
    ASSERT_TRUE(w->referenceBoat().has_value());
    EXPECT_EQ(s.legs.boats.at(static_cast<std::size_t>(*w->referenceBoat())).finishRank, 1);
}

int checkedBoxes(const BoatPanel& panel, int boats) {
    int n = 0;
    for (int b = 0; b < boats; ++b) n += boatBox(panel, b)->isChecked();
    return n;
}

TEST(MainWindow, BoatListClicksSoloPinAndNeverLeaveAnEmptyMap) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    BoatPanel& panel = *w->boatPanel();
    const int boats = w->session()->model.boatCount();
    ASSERT_GE(boats, 3);
    QTest::mouseClick(boatBox(panel, 1), Qt::RightButton);
    EXPECT_EQ(checkedBoxes(panel, boats), 1);
    EXPECT_TRUE(boatBox(panel, 1)->isChecked());
    QTest::mouseClick(boatBox(panel, 2), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(panel.selection().pinned(), 2);
    EXPECT_FALSE(boatBox(panel, 2)->isChecked());
    // The last tick off: the frame drawn for the click finds no boat to show
    // and ticks every box again.
    QTest::mouseClick(boatBox(panel, 1), Qt::LeftButton);
    EXPECT_EQ(checkedBoxes(panel, boats), boats);
    EXPECT_EQ(panel.selection().hiddenCount(), 0);
}

TEST(MainWindow, StaticMapTakesZoomAndMeasureClicksAndKeyUpForgetsTheBase) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();  // lays the map out at the window's size
    MapView* map = w->map();
    ASSERT_GT(map->width(), 400);
    const QPoint spot(map->width() / 3, map->height() / 2);
    QTest::mouseClick(map, Qt::LeftButton, {}, spot);  // Auto Trace: nothing happens
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, 1);
    w->controls()->setAutoTrace(false);
    ASSERT_FALSE(w->controls()->displayOptions().autoTrace);
    EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    QTest::mouseClick(map, Qt::LeftButton, {}, spot);
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, 1.5);
    QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, spot);
    EXPECT_TRUE(map->measureTool().hasBase());
    EXPECT_DOUBLE_EQ(map->staticView().manualZoom, 1.5);
    QTest::keyRelease(w.get(), Qt::Key_Shift);
    EXPECT_FALSE(map->measureTool().hasBase());
}

TEST(MainWindow, PickingElapsedTimeReopensTheRaceInThatMode) {
    const auto w = openSample("enoshima-ct.txt");
    ASSERT_NE(w->session(), nullptr);
    ASSERT_NE(w->session()->model.race.hasTcf, 0);
    ASSERT_FALSE(w->ctModePanel()->isHidden());
    const bool corrected = w->session()->model.race.timeMode == TimeMode::Corrected;
    w->ctModePanel()
        ->findChild<QRadioButton*>(corrected ? "elapsedButton" : "correctedButton")
        ->click();
    waitForOpening(*w);
    ASSERT_NE(w->session(), nullptr);
    EXPECT_EQ(w->session()->model.race.timeMode == TimeMode::Corrected, !corrected);
    EXPECT_EQ(w->ctModePanel()->correctedChecked(), !corrected);
}

TEST(MainWindow, ShiftCtrlEEntersCourseEditing) {
    const auto w = openSample();
    ASSERT_FALSE(w->controller().editMode());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_E, Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::sendEvent(w.get(), &key);
    waitForOpening(*w);
    EXPECT_TRUE(w->controller().editMode());
    EXPECT_FALSE(w->controls()->autoNext());
    ASSERT_NE(w->session(), nullptr);
    EXPECT_TRUE(w->session()->editMode);
    EXPECT_FALSE(w->controls()->displayOptions().northUp);
    // The editing panel and the static map it works on.
    EXPECT_FALSE(w->editPanel()->isHidden());
    EXPECT_FALSE(w->controls()->displayOptions().autoTrace);
}

TEST(MainWindow, ABrokenRaceFileLeavesTheWindowUsable) {
    testing::TempTree tree;
    tree.write("raceadmin/bad.txt", "T1,x\r\nBT,2147483647\r\n");
    tree.write("raceadmin/none.txt", "T1,no boats\r\n");
    for (const char* race : {"bad.txt", "none.txt"}) {
        const auto w = openSample(race, tree.root());
        EXPECT_EQ(w->session(), nullptr);
        EXPECT_FALSE(w->lastError().isEmpty()) << race;
        EXPECT_TRUE(w->lastError().contains(QString::fromLatin1(race)))
            << w->lastError().toStdString();
        EXPECT_TRUE(w->controls()->showEnabled());
        EXPECT_GE(w->controls()->raceCount(), 2);
        w->controller().frameTick(100);  // no race: ticks do nothing, and do not crash
        w->controller().secondTick();
        for (QWidget* box : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(box)) m->close();
    }
}

// --- the time bar ---

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The panel point of race time t, as the bar draws it.
QPoint barPoint(const TimeBar* bar, double t) {
    return {kTimeBarStripeLeft + 10,
            kTimeBarStripeTop + static_cast<int>(std::lround(timeBarY(bar->scale(), t)))};
}

TEST(TimeBarWidget, ClicksAndDragsPickTimesAndSpans) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();  // laid out at its real size
    QCoreApplication::processEvents();
    TimeBar* bar = w->timeBar();
    ASSERT_GT(bar->scale().heightPixels, 300);
    const Race& race = w->session()->model.race;
    ASSERT_EQ(bar->geometry(), w->layout().timeBar);
    // Above the top of the timeline: 100 s before its end.
    mouse(bar, QEvent::MouseButtonPress, Qt::LeftButton, {20, kTimeBarStripeTop - 3});
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineEnd - 100);
    mouse(bar, QEvent::MouseButtonPress, Qt::LeftButton, barPoint(bar, 600));
    EXPECT_NEAR(w->clock().timeSeconds(), 600,
                static_cast<double>(race.timelineLength) / bar->scale().heightPixels);

    // Right-button drags up and down give one span; a right click clears it.
    std::optional<RepeatSpan> spans[2];
    for (int k = 0; k < 2; ++k) {
        const QPoint a = barPoint(bar, k == 0 ? 300 : 900);
        const QPoint b = barPoint(bar, k == 0 ? 900 : 300);
        mouse(bar, QEvent::MouseButtonPress, Qt::RightButton, a);
        mouse(bar, QEvent::MouseMove, Qt::RightButton, b);
        mouse(bar, QEvent::MouseButtonRelease, Qt::RightButton, b);
        spans[k] = w->clock().repeatSpan();
        ASSERT_TRUE(spans[k].has_value()) << k;
    }
    EXPECT_DOUBLE_EQ(spans[0]->startSeconds, spans[1]->startSeconds);
    EXPECT_DOUBLE_EQ(spans[0]->endSeconds, spans[1]->endSeconds);
    EXPECT_LT(spans[0]->startSeconds, spans[0]->endSeconds);
    EXPECT_EQ(bar->picture().pixelColor(7, barPoint(bar, 600).y()), QColor(0, 255, 0));
    mouse(bar, QEvent::MouseButtonPress, Qt::RightButton, barPoint(bar, 600));
    mouse(bar, QEvent::MouseButtonRelease, Qt::RightButton, barPoint(bar, 602));
    EXPECT_FALSE(w->clock().repeatSpan().has_value());
    EXPECT_NE(bar->picture().pixelColor(7, barPoint(bar, 600).y()), QColor(0, 255, 0));

    // START goes back to the beginning.
    mouse(bar, QEvent::MouseButtonPress, Qt::LeftButton, {20, bar->height() - 10});
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineBegin);
}

TEST(TimeBarWidget, HoverFarOutsideShowsTheUnclampedMomentAndPreviewsTheEnd) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();  // laid out at its real size
    QCoreApplication::processEvents();
    TimeBar* bar = w->timeBar();
    ASSERT_GT(bar->scale().heightPixels, 300);
    const Race& race = w->session()->model.race;
    // Far above the bar while dragging with the right button.
    mouse(bar, QEvent::MouseButtonPress, Qt::RightButton, barPoint(bar, 600));
    const QPoint above(20, -400);
    mouse(bar, QEvent::MouseMove, Qt::RightButton, above);
    const double hovered = timeAtBarY(bar->scale(), above.y() - kTimeBarStripeTop);
    EXPECT_GT(hovered, race.timelineEnd);
    EXPECT_EQ(w->overviewPanel()->clockText(), bar->momentText(hovered));
    EXPECT_TRUE(w->overviewPanel()->previewing());
    EXPECT_FALSE(w->chrome()->tips()->box()->isHidden());
    EXPECT_TRUE(w->chrome()->tips()->box()->text().contains(bar->momentText(hovered)));
    // However far out the pointer goes, the tip stays whole in the window.
    const QRect window = w->centralWidget()->rect();
    EXPECT_TRUE(window.contains(w->chrome()->tips()->box()->geometry()));
    mouse(bar, QEvent::MouseMove, Qt::RightButton, QPoint(20, bar->height() - 3));
    EXPECT_TRUE(window.contains(w->chrome()->tips()->box()->geometry()));
    mouse(bar, QEvent::MouseButtonRelease, Qt::RightButton, above);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(bar, &leave);
    EXPECT_FALSE(w->overviewPanel()->previewing());
    EXPECT_TRUE(w->chrome()->tips()->box()->isHidden());
}

// --- the race list ---

// A data root of the sample's logs and `races` copies of one race.
std::unique_ptr<testing::TempTree> raceTree(const std::vector<std::string>& races) {
    auto tree = std::make_unique<testing::TempTree>();
    for (const char* dir : {"gpsdat", "coastline", "winddat", "ya"})
        std::filesystem::create_directory_symlink(kSample / dir, tree->root() / dir);
    std::string order;
    for (const std::string& r : races) {
        std::filesystem::create_directories(tree->root() / "raceadmin");
        std::filesystem::copy_file(kSample / "raceadmin" / "enoshima-cup.txt",
                                   tree->root() / "raceadmin" / r);
        order += r + "\r\n";
    }
    tree->write("raceadmin/racefile.st", order);
    return tree;
}

// Plays the replay to its end and through the rest there.
void playToTheEnd(MainWindow& w) {
    const Race& race = w.session()->model.race;
    w.actions().trigger(Command::Stop);
    w.jumpPanel()->showMoment(race.start + (race.timelineEnd - 1) / 86400);
    w.jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
    w.actions().trigger(Command::PlayForward);
    // Until the next race opens or the replay starts over.
    for (int k = 0; k < 8; ++k) {
        w.controller().frameTick(1000);
        if (w.controller().loader().busy() || w.clock().timeSeconds() < race.timelineEnd - 1) break;
    }
}

std::string shownRace(const MainWindow& w) {
    return w.session() ? w.session()->raceFilePath.filename().string() : std::string();
}

TEST(RaceList, AutoNextWrapsRoundTheList) {
    const auto tree = raceTree({"a.txt", "b.txt", "c.txt"});
    const auto w = openSample("c.txt", tree->root());
    ASSERT_EQ(shownRace(*w), "c.txt") << w->lastError().toStdString();
    ASSERT_TRUE(w->controls()->autoNext());
    playToTheEnd(*w);
    waitForOpening(*w);
    EXPECT_EQ(shownRace(*w), "a.txt");
    EXPECT_EQ(w->controller().listPosition(), 0u);
    EXPECT_EQ(w->controls()->raceText(), QStringLiteral("a.txt"));
}

TEST(RaceList, OneRaceReplaysWithoutReopening) {
    const auto tree = raceTree({"only.txt"});
    const auto w = openSample("only.txt", tree->root());
    ASSERT_NE(w->session(), nullptr);
    const RaceSession* before = w->session();
    playToTheEnd(*w);
    EXPECT_FALSE(w->controller().loader().busy());
    EXPECT_EQ(w->session(), before);
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), before->model.race.timelineBegin);
}

TEST(RaceList, ARaceWhoseFileHasGoneIsPassedOver) {
    const auto tree = raceTree({"a.txt", "b.txt", "c.txt"});
    const auto w = openSample("a.txt", tree->root());
    ASSERT_EQ(shownRace(*w), "a.txt");
    std::filesystem::remove(tree->root() / "raceadmin" / "b.txt");
    const RaceSession* before = w->session();
    playToTheEnd(*w);  // b.txt has gone: a.txt plays once more
    EXPECT_FALSE(w->controller().loader().busy());
    EXPECT_EQ(w->session(), before);
    playToTheEnd(*w);  // and the next end goes on to c.txt
    waitForOpening(*w);
    EXPECT_EQ(shownRace(*w), "c.txt");
}

TEST(RaceList, ShowAnswersAlreadyShownOnlyForTheRaceOnShow) {
    const auto tree = raceTree({"cup.txt", "bigcup.txt"});
    const auto w = openSample("bigcup.txt", tree->root());
    ASSERT_EQ(shownRace(*w), "bigcup.txt");
    auto messages = [] {
        int n = 0;
        for (QWidget* box : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(box); m && m->isVisible()) {
                EXPECT_EQ(m->text(), QStringLiteral("Already shown."));
                m->close();
                ++n;
            }
        return n;
    };
    w->controls()->showRace(1);  // bigcup.txt, on show
    w->controller().showListed(w->controls()->raceText().toStdString(), w->controls()->raceIndex());
    EXPECT_EQ(messages(), 1);
    EXPECT_FALSE(w->controller().loader().busy());
    // cup.txt is part of the shown path but another race: it opens.
    w->controls()->showRace(0);
    w->controller().showListed(w->controls()->raceText().toStdString(), w->controls()->raceIndex());
    waitForOpening(*w);
    EXPECT_EQ(messages(), 0);
    EXPECT_EQ(shownRace(*w), "cup.txt");
    EXPECT_EQ(w->controller().listPosition(), 0u);
}

// --- layout ---

TEST(WindowLayout, SmallScreenSizesTheMapAndAResizeLaysOutAgain) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->map()->width(), w->centralWidget()->width() - 265 - 50);
    w->controls()->setSmallScreen(true);
    EXPECT_EQ(w->map()->size(), QSize(800, 480));
    EXPECT_FALSE(w->sizePanel()->isHidden());
    w->sizePanel()->choose(SmallScreen::S480x320);
    EXPECT_EQ(w->map()->size(), QSize(480, 320));
    EXPECT_EQ(w->sizePanel()->y(), 355);
    EXPECT_GE(w->sizePanel()->x(), 0);  // wider than the map: its buttons stay in reach
    auto* widthList = w->sizePanel()->findChild<QComboBox*>("widthList");
    widthList->setEditText(QStringLiteral("wide"));  // not a number
    EXPECT_EQ(w->map()->size(), QSize(480, 320));
    widthList->setEditText(QStringLiteral("600"));
    EXPECT_EQ(w->map()->size(), QSize(600, 320));
    EXPECT_EQ(w->sizePanel()->mode(), SmallScreen::Preference);
    w->controls()->setSmallScreen(false);
    EXPECT_TRUE(w->sizePanel()->isHidden());
    w->resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->map()->width(), w->centralWidget()->width() - 265 - 50);
    EXPECT_EQ(w->timeBar()->height(), w->centralWidget()->height());
}

// The control panel keeps its 265 x 255 on real screens and at the window's
// least size, in either language: every control whole inside it, and the
// ones a replay needs where a click of the user lands on them.
TEST(WindowLayout, TheControlsStayWholeAndInReachOnLowScreens) {
    const auto w = openSample();
    w->show();
    ControlPanel* c = w->controls();
    QWidget* area = w->centralWidget();
    for (const QSize client : {QSize(1366, 768), QSize(1280, 800), QSize(640, 480)})
        for (const Language language : {Language::Japanese, Language::English}) {
            w->chrome()->setLanguage(language);
            w->resize(client);
            QCoreApplication::processEvents();
            ASSERT_EQ(area->size(), client);
            const std::string at = std::to_string(client.width()) + "x" +
                                   std::to_string(client.height()) + " " +
                                   std::to_string(static_cast<int>(language));
            EXPECT_EQ(c->geometry(), QRect(client.width() - 265, client.height() - 255, 265, 255))
                << at;
            // The overview keeps its place above a boat list that fits.
            const int room = client.height() - 200 - 255;
            if (w->boatPanel()->neededHeight() < room) {
                EXPECT_EQ(w->boatPanel()->geometry(), QRect(client.width() - 265, 200, 265, room))
                    << at;
            }
            for (const QWidget* child : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!child->isHidden()) {
                    EXPECT_TRUE(c->rect().contains(child->geometry()))
                        << at << " " << child->objectName().toStdString();
                }
            }
            for (const char* name :
                 {"raceList", "showButton", "autoNextBox", "trackPageButton", "graphPageButton",
                  "analysisPageButton", "autoTraceBox", "exitButton", "speedBar", "tipsBox"}) {
                auto* widget = c->findChild<QWidget*>(QLatin1String(name));
                const QPoint centre = widget->mapTo(area, widget->rect().center());
                const QWidget* hit = area->childAt(centre);
                EXPECT_TRUE(hit && (hit == widget || widget->isAncestorOf(hit)))
                    << at << " " << name;
            }
        }
}

// Each opening ticks again what the user may have unticked in the race
// before; an unticked AutoNext would leave the next race on the static map.
TEST(RaceOpening, TicksAutoNextAutoTracePicturesAndTipsAgain) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    auto* pictures = w->pictures()->settings()->findChild<QCheckBox*>("showPicturesBox");
    ASSERT_TRUE(pictures->isVisible());
    std::vector<QCheckBox*> boxes{pictures};
    for (const char* name : {"autoNextBox", "autoTraceBox", "tipsBox"})
        boxes.push_back(w->controls()->findChild<QCheckBox*>(QLatin1String(name)));
    for (QCheckBox* box : boxes) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        ASSERT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    w->openRace("enoshima-cup.txt");
    waitForOpening(*w);
    for (const QCheckBox* box : boxes)
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_TRUE(w->controls()->displayOptions().autoTrace);
}

// The JUMP panel's pickers stand where the replay stands, so a later JUMP
// starts there; the panel goes with its race.
TEST(JumpPanel, FollowsTheStepsAndGoesWithItsRace) {
    const auto w = openSample();
    w->show();
    w->actions().trigger(Command::Stop);
    ASSERT_TRUE(w->jumpPanel()->isVisible());
    const Timestamp start = w->session()->model.race.start;
    for (const Command step : {Command::StepForward, Command::StepForward, Command::StepBackward}) {
        w->actions().trigger(step);
        EXPECT_DOUBLE_EQ(secondsBetween(start, w->jumpPanel()->pickedMoment()),
                         std::nearbyint(w->clock().timeSeconds()));
    }
    // A seconds tick of the stopped replay leaves a typed moment alone.
    w->jumpPanel()->showMoment(start);
    w->controller().secondTick();
    EXPECT_DOUBLE_EQ(secondsBetween(start, w->jumpPanel()->pickedMoment()), 0);
    w->openRace("enoshima-ct.txt");
    waitForOpening(*w);
    EXPECT_TRUE(w->jumpPanel()->isHidden());
}

// The moment under the pointer on the time bar stays while the replay plays.
TEST(TimeBarWidget, TheHoveredMomentOutlivesTheSecondsOfThePlay) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    w->pictures()->settings()->setPicturesOn(false);
    TimeBar* bar = w->timeBar();
    mouse(bar, QEvent::MouseMove, Qt::NoButton, barPoint(bar, 600));
    const QString hovered = w->overviewPanel()->clockText();
    ASSERT_FALSE(hovered.isEmpty());
    w->actions().trigger(Command::PlayForward);
    for (int s = 0; s < 3; ++s) {
        for (int k = 0; k < 10; ++k) w->controller().frameTick(100);
        w->controller().secondTick();
    }
    EXPECT_EQ(w->overviewPanel()->clockText(), hovered);
    EXPECT_NE(w->clockText(), hovered);
}

// The program starts with the gun; each opening beeps as it begins and once
// its boats are in.
TEST(RaceOpening, TheGunAtStartAndTwoBeepsAnOpening) {
    app();
    MainWindow w(StartChoice{kSample, "enoshima-cup.txt", false}, buildRaceList(kSample).names);
    w.controller().setRealTicksIgnored(true);
    EXPECT_EQ(w.gun().timesPlayed(), 1);
    const int beeps = w.beepCount();
    w.openRace("enoshima-cup.txt");
    waitForOpening(w);
    ASSERT_NE(w.session(), nullptr);
    EXPECT_EQ(w.beepCount() - beeps, 2);
}

// The cover is set while the splash is hidden and placed as it shows; the
// maker's, "Powered by" and version lines stand under it on a high screen.
TEST(Splash, ShowsTheCoverAndTheVersionLines) {
    app();
    SplashPanel splash;
    QPixmap cover(300, 200);
    cover.fill(Qt::red);
    splash.setCover(cover);
    for (const int height : {700, 600}) {
        splash.hide();
        splash.resize(1000, height);
        splash.show();
        EXPECT_EQ(splash.coverRect(), QRect(350, (height - 200) / 2, 300, 200));
        for (const char* name : {"splashMaker", "poweredBy", "splashVersion"})
            EXPECT_EQ(splash.findChild<QLabel*>(QLatin1String(name))->isVisible(), height >= 610)
                << name;
    }
}

// Either ranking panel steps out of the pointer's way, the class ranking
// between the map's top and bottom.
TEST(RankingPanels, TheClassRankingStepsAsideToo) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    FinishPanel* byClass = w->classFinishPanel();
    const int low = w->layout().map.height() - byClass->height() - 5;
    QEvent enter(QEvent::Enter);
    for (const int to : {low, 5}) {
        QApplication::sendEvent(byClass, &enter);
        EXPECT_EQ(byClass->y(), to);
    }
}

// The stopwatch stands on the map page only, and never on a small map,
// which is a movie's frame.
TEST(Stopwatch, OnlyOnTheFullMap) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    auto* watch = w->findChild<QPushButton*>("stopwatchButton");
    auto* small = w->controls()->findChild<QCheckBox*>("smallScreenBox");
    EXPECT_TRUE(watch->isVisible());
    for (const bool on : {true, false}) {
        QTest::mouseClick(small, Qt::LeftButton, {}, QPoint(6, small->height() / 2));
        EXPECT_EQ(watch->isVisible(), !on);
    }
    // The static map has no replay to time.
    auto* trace = w->controls()->findChild<QCheckBox*>("autoTraceBox");
    for (const bool on : {false, true}) {
        QTest::mouseClick(trace, Qt::LeftButton, {}, QPoint(6, trace->height() / 2));
        ASSERT_EQ(w->controls()->displayOptions().autoTrace, on);
        EXPECT_EQ(watch->isVisible(), on);
    }
    QTest::mouseClick(w->controls()->findChild<QRadioButton*>("graphPageButton"), Qt::LeftButton,
                      {}, QPoint(6, 6));
    ASSERT_TRUE(w->actions()[Command::GraphPage]->isChecked());
    EXPECT_FALSE(watch->isVisible());
}

// On a small map a click on the overview takes its inset off the map and
// puts it back, as the overview's tip says.
TEST(WindowLayout, AClickOnTheOverviewTogglesTheInsetOfASmallMap) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    w->actions().trigger(Command::Stop);
    auto* small = w->controls()->findChild<QCheckBox*>("smallScreenBox");
    QTest::mouseClick(small, Qt::LeftButton, {}, QPoint(6, small->height() / 2));
    ASSERT_TRUE(w->controls()->displayOptions().smallScreen);
    const auto inset = [&] {
        const QImage& f = w->map()->frame();
        return f.copy(f.width() - 170, 0, 170, 170);
    };
    const QImage on = inset();
    const QPoint centre = w->overviewPanel()->overviewRect().center();
    QTest::mouseClick(w->overviewPanel(), Qt::LeftButton, {}, centre);
    EXPECT_NE(inset(), on);
    QTest::mouseClick(w->overviewPanel(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(inset(), on);
}

// A race added to the folder after start-up can be typed into the race list.
TEST(RaceList, ANameCanBeTypedIntoTheList) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    auto* list = w->controls()->findChild<QComboBox*>("raceList");
    ASSERT_TRUE(list->isEditable());
    QSignalSpy asked(w->controls(), &ControlPanel::showRequested);
    list->lineEdit()->selectAll();
    list->setFocus();  // as a click on it: the keys go to the list, which edits its text
    QTest::keyClicks(list, QStringLiteral("added-later.txt"));
    QTest::mouseClick(w->controls()->findChild<QPushButton*>("showButton"), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0][0].toString(), QStringLiteral("added-later.txt"));
}

// The pointer on a boat's box picks the boat out on the pages too: the box
// passes its moves on to the list, which must not take them for moves
// between the boxes. A tip that pops up over a control lets the click
// through to it.
TEST(BoatListHover, PicksTheBoatOutOnAPageAndTipsLetClicksThrough) {
    const auto w = openSample();
    w->show();
    QCoreApplication::processEvents();
    w->actions().trigger(Command::AnalysisPage);
    QCheckBox* box = boatBox(*w->boatPanel(), 0);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(box, &enter);
    mouse(box, QEvent::MouseMove, Qt::NoButton, QPoint(20, 5));
    EXPECT_EQ(w->boatPanel()->selection().highlighted(), 0);
    mouse(w->boatPanel(), QEvent::MouseMove, Qt::NoButton,
          QPoint(w->boatPanel()->width() - 2, w->boatPanel()->height() - 2));
    EXPECT_EQ(w->boatPanel()->selection().highlighted(), std::nullopt);

    auto* track = w->controls()->findChild<QRadioButton*>("trackPageButton");
    const QPoint onTrack = track->mapTo(w->centralWidget(), track->rect().center());
    QLabel* tip = w->chrome()->tips()->box();
    tip->setGeometry(QRect(onTrack - QPoint(10, 10), QSize(200, 30)));
    tip->show();
    tip->raise();
    EXPECT_EQ(w->centralWidget()->childAt(onTrack), track);
}

// The least window cannot give the boat list its height under the logo: the
// list rises over the logo, the controls stay whole, and every boat is in reach.
TEST(WindowLayout, ABoatListTallerThanTheRoomRisesOverTheLogo) {
    const auto w = openSample();
    w->show();
    w->resize(1280, 480);
    QCoreApplication::processEvents();
    BoatPanel* list = w->boatPanel();
    ASSERT_GT(list->neededHeight(), 480 - 200 - 255);
    EXPECT_LT(list->y(), 200);
    EXPECT_LT(list->geometry().bottom(), w->controls()->y());
    QCheckBox* last = boatBox(*list, w->session()->model.boatCount() - 1);
    auto* scroll = list->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    scroll->ensureWidgetVisible(last);
    EXPECT_TRUE(list->rect().contains(QRect(last->mapTo(list, QPoint(0, 0)), last->size())));
    mouse(last, QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
    EXPECT_EQ(list->selection().highlighted(), w->session()->model.boatCount() - 1);
}

TEST(WindowFont, FollowsTheScreensDotsPerInch) {
    EXPECT_EQ(windowFontPoints(96), 9);
    EXPECT_EQ(windowFontPoints(120), 7);
    EXPECT_EQ(windowFontPoints(0), 9);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// What the panels share: the time bar follows the winner and the pictures,
// and the pages show the boats the list shows.
TEST(MainWindowWiring, TimeBarAndPagesFollowTheRankingsPicturesAndBoatList) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    const RaceModel& m = w->session()->model;
    const auto winner = w->referenceBoat();
    ASSERT_TRUE(winner.has_value());
    EXPECT_EQ(w->timeBar()->input().referenceTrack, &m.boats.at(*winner).track);
    EXPECT_EQ(w->timeBar()->input().pictureTimesSeconds, w->pictures()->correctedTimesSeconds());
    EXPECT_FALSE(w->timeBar()->input().pictureTimesSeconds.empty());
    w->actions().trigger(Command::GraphPage);
    ASSERT_EQ(w->pages()->page(), Page::Graph);
    EXPECT_EQ(w->pages()->state().boatShown, w->boatPanel()->selection().visibleBoats());
    EXPECT_FALSE(w->pages()->state().boatShown.empty());
}

}  // namespace
}  // namespace korvane

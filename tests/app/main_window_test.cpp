// The window on the sample race, offscreen: opening, control defaults, and
// the replay driven by injected ticks instead of waiting on real timers.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include "app/window_fixture.h"
#include "app/window_font.h"
#include "race/race_list.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

TEST(MainWindow, OpensTheSampleWithItsCaptionAndDefaults) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("江の島カップ 2024 第3レース")));
    EXPECT_TRUE(w->windowTitle().contains(QStringLiteral("2024")));
    const ControlPanel* c = w->controls();
    EXPECT_EQ(c->raceList->currentText(), QStringLiteral("enoshima-cup.txt"));
    EXPECT_EQ(c->zoomBar->value(), 75);
    EXPECT_EQ(c->speedBar->maximum(), 136);
    EXPECT_EQ(c->speedBar->value(), w->clock().speedBarPosition());
    EXPECT_EQ(c->speedText->text(), QString::number(w->clock().speed()) + "X");
    for (const QAbstractButton* b : {static_cast<QAbstractButton*>(c->autoTraceBox),
                                     static_cast<QAbstractButton*>(c->showNameBox),
                                     static_cast<QAbstractButton*>(c->bigBoatBox),
                                     static_cast<QAbstractButton*>(c->autoNextBox),
                                     static_cast<QAbstractButton*>(c->trackPageButton)})
        EXPECT_TRUE(b->isChecked()) << b->text().toStdString();
    EXPECT_FALSE(c->layLineBox->isChecked());
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), w->session()->model.race.timelineBegin);
    EXPECT_FALSE(w->splash()->isVisible());
    EXPECT_FALSE(w->map()->frame().isNull());
}

TEST(MainWindow, InjectedTicksMoveTheReplayAtTheChosenSpeed) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    // Speed bar positions 0, 36 and 136 give 1, 10 and 1500 race seconds a second.
    struct Case {
        int bar;
        int speed;
    };
    for (const Case c : {Case{0, 1}, Case{36, 10}, Case{136, 1500}}) {
        w->controls()->speedBar->setValue(c.bar);
        EXPECT_EQ(w->clock().speed(), c.speed);
        for (QToolButton* b : {w->controls()->transport->playForwardButton,
                               w->controls()->transport->playBackwardButton}) {
            b->click();
            const int sign = b == w->controls()->transport->playForwardButton ? 1 : -1;
            // Jump to the middle so neither end of the timeline interferes.
            w->controls()->transport->stopButton->click();
            const double mid =
                (w->session()->model.race.timelineBegin + w->session()->model.race.timelineEnd) / 2;
            w->jumpPanel()->showMoment(w->session()->model.race.start + mid / 86400);
            w->jumpPanel()->jumpButton->click();
            const double from = w->clock().timeSeconds();
            b->click();
            for (int k = 0; k < 10; ++k) w->frameTick(100);  // one real second
            EXPECT_NEAR(w->clock().timeSeconds() - from, sign * c.speed, 1e-6)
                << "speed " << c.speed << " sign " << sign;
        }
    }
}

TEST(MainWindow, StopShowsTheJumpPanelAndStepsWrapAtTheEnds) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    const Race& race = w->session()->model.race;
    TransportPanel* t = w->controls()->transport;
    t->stopButton->click();
    EXPECT_FALSE(w->jumpPanel()->isHidden());
    EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    t->stepBackwardButton->click();  // from the beginning back to the end
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineEnd);
    t->stepForwardButton->click();
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), race.timelineBegin);
    w->jumpPanel()->jumpToStartButton->click();
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), 0);
}

TEST(MainWindow, CountdownBeepsAndTheGunAtTheStart) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->controls()->speedBar->setValue(0);  // 1X
    w->controls()->transport->stopButton->click();
    w->jumpPanel()->showMoment(w->session()->model.race.start - 31.0 / 86400);
    w->jumpPanel()->jumpButton->click();
    w->controls()->transport->playForwardButton->click();
    const int beepsBefore = w->beepCount();
    const int gunsBefore = w->gun().timesPlayed();
    for (int s = 0; s < 32; ++s) {
        for (int k = 0; k < 10; ++k) w->frameTick(100);
        w->secondTick();
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
    w->controls()->speedBar->setValue(0);
    w->controls()->transport->stopButton->click();
    w->jumpPanel()->showMoment(s.model.race.start + std::floor(winner - 2) / 86400);
    w->jumpPanel()->jumpButton->click();
    w->controls()->transport->playForwardButton->click();
    const int guns = w->gun().timesPlayed();
    for (int k = 0; k < 40; ++k) w->frameTick(100);
    EXPECT_GE(w->finishPanel()->rowCount(), 1);
    EXPECT_EQ(w->gun().timesPlayed() - guns, w->finishPanel()->rowCount());
    EXPECT_FALSE(w->finishPanel()->isHidden());
}

TEST(MainWindow, PickingElapsedTimeReopensTheRaceInThatMode) {
    const auto w = openSample("enoshima-ct.txt");
    ASSERT_NE(w->session(), nullptr);
    ASSERT_NE(w->session()->model.race.hasTcf, 0);
    ASSERT_FALSE(w->ctModePanel()->isHidden());
    const bool corrected = w->session()->model.race.timeMode == TimeMode::Corrected;
    (corrected ? w->ctModePanel()->elapsedButton : w->ctModePanel()->correctedButton)->click();
    waitForOpening(*w);
    ASSERT_NE(w->session(), nullptr);
    EXPECT_EQ(w->session()->model.race.timeMode == TimeMode::Corrected, !corrected);
    EXPECT_EQ(w->ctModePanel()->correctedChecked(), !corrected);
}

TEST(MainWindow, ShiftCtrlEEntersCourseEditing) {
    const auto w = openSample();
    ASSERT_FALSE(w->editMode());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_E, Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::sendEvent(w.get(), &key);
    waitForOpening(*w);
    EXPECT_TRUE(w->editMode());
    EXPECT_FALSE(w->controls()->autoNextBox->isChecked());
    ASSERT_NE(w->session(), nullptr);
    EXPECT_TRUE(w->session()->editMode);
    EXPECT_TRUE(w->controls()->windUpButton->isChecked());
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
        EXPECT_TRUE(w->controls()->showButton->isEnabled());
        EXPECT_GE(w->controls()->raceList->count(), 2);
        w->frameTick(100);  // no race: ticks do nothing, and do not crash
        w->secondTick();
        for (QWidget* box : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(box)) m->close();
    }
}

TEST(WindowFont, FollowsTheScreensDotsPerInch) {
    EXPECT_EQ(windowFontPoints(96), 9);
    EXPECT_EQ(windowFontPoints(120), 7);
    EXPECT_EQ(windowFontPoints(0), 9);
}

}  // namespace
}  // namespace korvane

// The window's pages, offscreen: choosing Graph or Analysis stops the replay
// and locks the map's controls, Track brings both back; the report button
// writes the CLI's report and hands it to the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <sstream>

#include "app/desktop.h"
#include "app/finish_board.h"
#include "app/main_window.h"
#include "app/picture_exports.h"
#include "app/window_fixture.h"
#include "base/file_io.h"
#include "cli/report_command.h"
#include "race/race_list.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

const std::filesystem::path kSample = KORVANE_SOURCE_DIR "/sample";

std::unique_ptr<MainWindow> openRaceWindow(const std::string& race) {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    auto w = std::make_unique<MainWindow>(StartChoice{kSample, race, false},
                                          buildRaceList(kSample).names);
    w->controller().setRealTicksIgnored(true);
    w->resize(1280, 800);
    w->openRace(race);
    w->controller().loader().wait();
    for (int i = 0; i < 50 && !w->session(); ++i) QCoreApplication::processEvents();
    return w;
}

struct PageCase {
    Command command;
    Page page;
    bool replaying;      // the replay timers run
    bool reportOffered;  // "Show Excel Table"
};
class PageSwitching : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageSwitching, EachPageSetsTheReplayAndTheControls) {
    const PageCase c = GetParam();
    const auto w = openRaceWindow("enoshima-ct.txt");
    ASSERT_NE(w->session(), nullptr);
    ControlPanel* controls = w->controls();
    // From another page, so every choice is a change.
    w->actions().trigger(c.page == Page::Graph ? Command::AnalysisPage : Command::GraphPage);
    controls->setAutoTrace(false);
    w->actions().trigger(c.command);

    const bool map = c.page == Page::Track;
    EXPECT_EQ(w->controller().playing(), c.replaying);
    EXPECT_EQ(w->pages()->isHidden(), map);
    EXPECT_EQ(!w->pages()->findChild<QPushButton*>("reportButton")->isHidden(), c.reportOffered);
    for (const char* lockedOnPages : {"raceList", "showButton", "smallScreenBox"})
        EXPECT_EQ(controls->findChild<QWidget*>(lockedOnPages)->isEnabled(), map);
    EXPECT_EQ(w->ctModePanel()->isHidden(), !map);  // the race has handicaps
    if (map) {
        EXPECT_TRUE(controls->displayOptions().autoTrace);
        return;
    }
    EXPECT_EQ(w->pages()->page(), c.page);
    // The page fills the map's place, drawn at its size.
    EXPECT_EQ(w->pages()->geometry(), w->map()->geometry());
    EXPECT_EQ(w->pages()->bitmap().size(), w->map()->size());
}
INSTANTIATE_TEST_SUITE_P(Pages, PageSwitching,
                         ::testing::Values(PageCase{Command::TrackPage, Page::Track, true, false},
                                           PageCase{Command::GraphPage, Page::Graph, false, false},
                                           PageCase{Command::AnalysisPage, Page::Analysis, false,
                                                    true}));

TEST(ReportButton, WritesTheCliReportOpensItAndSaysWhenItCannot) {
    const auto w = openRaceWindow("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    testing::TempTree tree;
    std::vector<QString> opened;
    setDesktopOpenerForTests([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    setDocumentsFolderForTests(tree.root() / "Documents");
    w->actions().trigger(Command::AnalysisPage);
    const int beeps = w->beepCount();
    w->pages()->findChild<QPushButton*>("reportButton")->click();

    const auto written = tree.root() / "Documents" / "NoName.csv";
    CliOptions cli;
    cli.args = {"-o", (tree.root() / "cli.csv").string()};
    std::ostringstream out, err;
    ASSERT_EQ(runReport(*w->session(), cli, out, err), 0) << err.str();
    const auto mine = readFileBytes(written);
    ASSERT_TRUE(mine);
    EXPECT_EQ(*mine, *readFileBytes(tree.root() / "cli.csv"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toStdString(), written.string());
    EXPECT_EQ(w->beepCount(), beeps + 1);
    EXPECT_TRUE(w->lastError().isEmpty());

    // A documents "folder" that is a file: the message, no beep, nothing opened.
    const auto blocked = tree.write("blocked", "x");
    setDocumentsFolderForTests(blocked);
    w->pages()->findChild<QPushButton*>("reportButton")->click();
    EXPECT_EQ(w->lastError(),
              QStringLiteral("Excell is already open\r\nClose present Excell and try again."));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(w->beepCount(), beeps + 1);
    EXPECT_EQ(*readFileBytes(blocked), "x");
    for (QWidget* box : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMessageBox*>(box)) m->close();
    setDesktopOpenerForTests([](const QString&) { return true; });
}

// The pointer moving over a widget, as the window system hands it on.
void moveOver(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Shown and laid out, as a user meets it.
std::unique_ptr<MainWindow> shownRaceWindow(const std::string& race) {
    auto w = openRaceWindow(race);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

// The wind file's traces come over the Graph page while the pointer is on
// the boat list, and go when it moves over the page again; there the
// caption names the race and its note, on either page.
TEST(GraphPage, TheBoatListShowsTheWindAndThePageTheRaceCaption) {
    const auto w = shownRaceWindow("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    ASSERT_FALSE(w->session()->model.windSamples.empty());
    const Race& race = w->session()->model.race;
    const QString caption = QString::fromStdString(race.caption + "     " + race.note);
    for (const Command command : {Command::GraphPage, Command::AnalysisPage}) {
        w->actions().trigger(command);
        moveOver(w->pages(), w->pages()->rect().center());
        EXPECT_EQ(w->windowTitle(), caption);
    }
    w->actions().trigger(Command::GraphPage);
    PageView* page = w->pages();
    const QPoint onPage = page->rect().center();
    moveOver(page, onPage);
    const QImage before = page->screen();
    // Between the two columns of boxes.
    moveOver(w->boatPanel(), QPoint(128, 40));
    EXPECT_TRUE(page->windOverlayShown());
    EXPECT_NE(page->screen(), before);
    moveOver(page, onPage);
    EXPECT_FALSE(page->windOverlayShown());
    EXPECT_EQ(page->screen(), before);
}

// The boat's tip stands under the list, over none of its boxes; a class
// box answers its press with a beep.
TEST(BoatList, TheTipStandsUnderTheListAndAClassPressBeeps) {
    const auto w = shownRaceWindow("enoshima-cup.txt");
    BoatPanel* list = w->boatPanel();
    QCheckBox* box = boatBox(*list, 0);
    moveOver(box, QPoint(20, 5));
    const QLabel* tip = w->chrome()->tips()->box();
    ASSERT_TRUE(tip->isVisible());
    for (int b = 0; b < w->session()->model.boatCount(); ++b) {
        const QCheckBox* row = boatBox(*list, b);
        const QRect onScreen(row->mapTo(w->centralWidget(), QPoint(0, 0)), row->size());
        if (row->visibleRegion().isEmpty()) continue;
        EXPECT_FALSE(tip->geometry().intersects(onScreen)) << b;
    }
    const int beeps = w->beepCount();
    QTest::mouseClick(list->findChild<QCheckBox*>("classBox0"), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(w->beepCount(), beeps + 1);
}

// Retouch on a page saves the page as drawn, not the map behind it nor the
// hover drawn over it.
TEST(RetouchOnAPage, SavesThePageBitmap) {
    testing::TempTree tree;
    setDocumentsFolderForTests(tree.root());
    setDesktopOpenerForTests([](const QString&) { return true; });
    const auto w = shownRaceWindow("enoshima-cup.txt");
    for (const Command command : {Command::GraphPage, Command::AnalysisPage}) {
        w->actions().trigger(command);
        moveOver(w->pages(), w->pages()->rect().center());
        w->actions().trigger(Command::Retouch);
        const QImage saved(QString::fromStdString((tree.root() / kRetouchFile).string()), "BMP");
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), w->pages()->bitmap());
    }
}

// A race whose classes finish apart shows no class panel before a boat of
// a class has finished (as after a course edit early in the replay).
TEST(ClassRanking, WaitsForItsFirstRow) {
    const auto w = openRaceWindow("enoshima-cup.txt");
    ASSERT_TRUE(w->session()->model.classesSeparated);
    FinishPanel overall, byClass;
    FinishBoard board(&overall, &byClass);
    board.setSession(*w->session());
    std::vector<bool> finished(static_cast<std::size_t>(w->session()->model.boatCount()), false);
    board.showFinishers(0, finished);
    EXPECT_TRUE(byClass.isHidden());
    ASSERT_FALSE(board.finishers().empty());
    finished[static_cast<std::size_t>(board.finishers()[0].boatIndex)] = true;
    board.showFinishers(1, finished);
    EXPECT_FALSE(byClass.isHidden());
}

// The gun shot is in the program: the window's effect decodes it, with or
// without a sound device.
TEST(StartGun, TheWindowsShotIsReadyToPlay) {
    const auto w = openRaceWindow("enoshima-cup.txt");
    for (int i = 0; i < 200 && w->gun().status() == QSoundEffect::Loading; ++i) QTest::qWait(20);
    EXPECT_EQ(w->gun().status(), QSoundEffect::Ready);
}

}  // namespace
}  // namespace korvane

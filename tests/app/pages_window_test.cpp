// The window's pages, offscreen: choosing Graph or Analysis stops the replay
// and locks the map's controls, Track brings both back; the report button
// writes the CLI's report and hands it to the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <sstream>

#include "app/desktop.h"
#include "app/main_window.h"
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

}  // namespace
}  // namespace korvane

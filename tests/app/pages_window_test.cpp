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
    w->setRealTicksIgnored(true);
    w->resize(1280, 800);
    w->openRace(race);
    w->loader().wait();
    for (int i = 0; i < 50 && !w->session(); ++i) QCoreApplication::processEvents();
    return w;
}

struct PageCase {
    QRadioButton* ControlPanel::*button;
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
    (c.page == Page::Graph ? controls->analysisPageButton : controls->graphPageButton)->click();
    controls->autoTraceBox->setChecked(false);
    (controls->*c.button)->click();

    const bool map = c.page == Page::Track;
    EXPECT_EQ(w->timersRunning(), c.replaying);
    EXPECT_EQ(w->pages()->isHidden(), map);
    EXPECT_EQ(!w->pages()->reportButton->isHidden(), c.reportOffered);
    for (QWidget* lockedOnPages : std::initializer_list<QWidget*>{
             controls->raceList, controls->showButton, controls->smallScreenBox})
        EXPECT_EQ(lockedOnPages->isEnabled(), map);
    EXPECT_EQ(w->ctModePanel()->isHidden(), !map);  // the race has handicaps
    if (map) {
        EXPECT_TRUE(controls->autoTraceBox->isChecked());
        return;
    }
    EXPECT_EQ(w->pages()->page(), c.page);
    // The page fills the map's place, drawn at its size.
    EXPECT_EQ(w->pages()->geometry(), w->map()->geometry());
    EXPECT_EQ(w->pages()->bitmap().size(), w->map()->size());
}
INSTANTIATE_TEST_SUITE_P(
    Pages, PageSwitching,
    ::testing::Values(PageCase{&ControlPanel::trackPageButton, Page::Track, true, false},
                      PageCase{&ControlPanel::graphPageButton, Page::Graph, false, false},
                      PageCase{&ControlPanel::analysisPageButton, Page::Analysis, false, true}));

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
    w->controls()->analysisPageButton->click();
    const int beeps = w->beepCount();
    w->pages()->reportButton->click();

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
    w->pages()->reportButton->click();
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

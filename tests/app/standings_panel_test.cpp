// The standings panel in the window: it follows the replay time, a click on
// a row keeps that boat in the middle of the map, and past the last finish
// it shows the results while the finished boats stay on the map.
#include "app/standings_panel.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableView>

#include "app/desktop.h"
#include "app/window_fixture.h"
#include "base/file_io.h"
#include "session/standings_sources.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

std::unique_ptr<MainWindow> shownStandings() {
    auto w = openSample();
    w->resize(1366, 768);
    w->show();
    QCoreApplication::processEvents();
    w->controls()->setStandingsShown(true);
    return w;
}

// The slots of the table's rows, top to bottom, as the view sorts them.
std::vector<int> rowsShown(const StandingsPanel& panel) {
    const QAbstractItemModel* m = panel.findChild<QTableView*>("standingsTable")->model();
    std::vector<int> order;
    for (int r = 0; r < m->rowCount(); ++r)
        order.push_back(m->index(r, 0).data(StandingsModel::kSlotRole).toInt());
    return order;
}

TEST(StandingsPanel, FollowsTheReplayTimeAndKeepsThePickedBoatInTheMiddle) {
    const auto w = shownStandings();
    ASSERT_NE(w->session(), nullptr);
    StandingsPanel* panel = w->standingsPanel();
    ASSERT_FALSE(panel->isHidden());
    // On the map, clear of the control panel and the boat list.
    EXPECT_TRUE(w->map()->geometry().contains(panel->geometry()));
    EXPECT_FALSE(panel->geometry().intersects(w->controls()->geometry()));

    const StandingsSources sources = standingsSources(*w->session());
    for (double t : {600.0, 2400.0}) {
        SCOPED_TRACE(t);
        w->controller().jumpTo(t);
        QCoreApplication::processEvents();
        std::vector<int> expected;
        for (const BoatStanding& b :
             standingsAt(sources, t, w->session()->model.race.timeMode).boats)
            expected.push_back(b.slot);
        EXPECT_EQ(rowsShown(*panel), expected);
        EXPECT_FALSE(panel->model().showsResults());
    }

    auto* table = panel->findChild<QTableView*>("standingsTable");
    const QModelIndex third = table->model()->index(2, 1);
    const int slot = third.data(StandingsModel::kSlotRole).toInt();
    emit table->clicked(third);
    EXPECT_EQ(panel->centredBoat(), slot);
    const BoatNow& now = w->map()->boatsNow().at(static_cast<std::size_t>(slot));
    ASSERT_TRUE(now.hasPosition);
    EXPECT_NEAR(w->map()->viewport().centreLat, now.latMinutes, 1e-9);
    EXPECT_NEAR(w->map()->viewport().centreLon, now.lonMinutes, 1e-9);
    // Hidden, the panel no longer steers the map.
    w->controls()->setStandingsShown(false);
    EXPECT_EQ(panel->centredBoat(), std::nullopt);
}

TEST(StandingsPanel, PastTheLastFinishShowsResultsWithTheFinishersOnTheMap) {
    const auto w = shownStandings();
    ASSERT_NE(w->session(), nullptr);
    const RaceSession& s = *w->session();
    const double end = resultsMoment(s.model, s.legs);
    w->controller().jumpTo(end);
    QCoreApplication::processEvents();
    StandingsPanel* panel = w->standingsPanel();
    EXPECT_TRUE(panel->model().showsResults());
    // Every track is over; the finishers are still drawn where they ended.
    int held = 0;
    for (int b = 0; b < s.model.boatCount(); ++b) {
        const bool finished = s.legs.boat(b).finished();
        EXPECT_EQ(w->map()->boatsNow().at(static_cast<std::size_t>(b)).hasPosition, finished)
            << s.model.boats[b].name;
        held += finished;
    }
    EXPECT_GT(held, 0);

    testing::TempTree tree;
    std::vector<QString> opened;
    setDesktopOpenerForTests([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    setDocumentsFolderForTests(tree.root());
    panel->findChild<QPushButton*>("standingsHtmlButton")->click();
    ASSERT_EQ(opened.size(), 1u);
    const auto page = readFileBytes(opened[0].toStdString());
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("</table>"), std::string::npos);
    // A documents "folder" that is a file: nothing written over it, nothing opened.
    setDocumentsFolderForTests(tree.write("blocked", "x"));
    panel->findChild<QPushButton*>("standingsCsvButton")->click();
    EXPECT_EQ(opened.size(), 1u);
    setDesktopOpenerForTests([](const QString&) { return true; });
}

}  // namespace
}  // namespace korvane

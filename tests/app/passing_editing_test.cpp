// Correcting a mark passing in the window, on a copy of the sample race: a
// drag of its tick on the time bar pins it, the panel marks it not passed,
// each step recomputes the legs at once, goes into the corrections file and
// comes back out with Undo.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "app/window_fixture.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The sample's race files beside links to its logs, wind and coast.
fs::path sampleCopy() {
    const fs::path root =
        fs::temp_directory_path() / ("korvane-passings-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    fs::copy(kSample / "raceadmin", root / "raceadmin", fs::copy_options::recursive);
    for (const char* folder : {"gpsdat", "winddat", "coastline"})
        fs::create_directory_symlink(kSample / folder, root / folder);
    return root;
}

TEST(PassingEditingWindow, ARefusedLineIsToldAtOpening) {
    const fs::path root = sampleCopy();
    std::ofstream(root / "raceadmin" / "enoshima-cup.txt.passings") << "PIN,99,1,100\r\n";
    {
        auto w =
            makeWindow(StartChoice{root, "enoshima-cup.txt", false}, buildRaceList(root).names);
        QSignalSpy told(w->passingEditing(), &PassingEditing::failed);
        w->openRace("enoshima-cup.txt");
        waitForOpening(*w);
        ASSERT_NE(w->session(), nullptr);
        EXPECT_TRUE(w->session()->passingCorrections.empty());
        ASSERT_EQ(told.count(), 1);
        EXPECT_TRUE(told[0][0].toString().contains("(line 1): the race has no boat 99"));
    }
    fs::remove_all(root);
}

TEST(PassingEditingWindow, DragPinsPanelMarksUndoTakesBack) {
    const fs::path root = sampleCopy();
    const fs::path file = root / "raceadmin" / "enoshima-cup.txt.passings";
    {
        auto w = openSample("enoshima-cup.txt", root);
        w->show();
        QCoreApplication::processEvents();
        PassingEditing* editing = w->passingEditing();
        ASSERT_TRUE(editing->boat().has_value());
        const int boat = *editing->boat();
        const int point = 2;
        const auto detected = w->session()->legs.boat(boat).passTime(point);
        ASSERT_TRUE(detected.has_value());

        // The passing's tick, dragged 20 pixels down the bar (earlier).
        TimeBar* bar = w->timeBar();
        const auto& ticks = bar->passingTicks();
        const auto tick = std::find_if(ticks.begin(), ticks.end(), [&](const PassingTick& t) {
            return t.chosen && t.point == point;
        });
        ASSERT_NE(tick, ticks.end());
        const int y = kTimeBarStripeTop +
                      static_cast<int>(std::lround(timeBarY(bar->scale(), tick->timeSeconds)));
        const QPoint from(kTimeBarStripeLeft + 5, y);
        QTest::mousePress(bar, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(0, 20)), QPointF(),
                         Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, from + QPoint(0, 20));
        const auto pinned = w->session()->legs.boat(boat).passTime(point);
        ASSERT_TRUE(pinned.has_value());
        EXPECT_LT(*pinned, *detected - 10);
        EXPECT_NE(fileText(file).find("PIN," + std::to_string(boat + 1) + ",3,"),
                  std::string::npos);
        ASSERT_TRUE(editing->point().has_value());
        EXPECT_EQ(*editing->point(), point);

        // The panel's "Not passed": the point loses its passing.
        editing->panel()->findChild<QPushButton*>("passingNotPassedButton")->click();
        EXPECT_FALSE(w->session()->legs.boat(boat).passed(point));
        EXPECT_NE(fileText(file).find("NOTPASSED,"), std::string::npos);

        editing->panel()->findChild<QPushButton*>("passingUndoButton")->click();
        EXPECT_EQ(w->session()->legs.boat(boat).passTime(point), pinned);
        editing->panel()->findChild<QPushButton*>("passingUndoButton")->click();
        EXPECT_EQ(w->session()->legs.boat(boat).passTime(point), detected);
        EXPECT_FALSE(fs::exists(file));
        editing->panel()->findChild<QPushButton*>("passingRedoButton")->click();
        EXPECT_EQ(w->session()->legs.boat(boat).passTime(point), pinned);

        // Read again at the next opening.
        w->controller().reopen();
        waitForOpening(*w);
        EXPECT_EQ(w->session()->legs.boat(boat).passTime(point), pinned);
        EXPECT_EQ(w->session()->passingCorrections.items().size(), 1u);
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace korvane

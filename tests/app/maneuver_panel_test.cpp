// The maneuver table: every maneuver of the race in time order, and a click
// on a row puts the replay just before it.
#include "app/maneuver_panel.h"

#include <gtest/gtest.h>

#include <QTableWidget>

#include "app/window_fixture.h"
#include "view/wind_graph.h"

namespace korvane {
namespace {

TEST(ManeuverPanel, ListsTheRaceInTimeOrderAndAClickJumpsTenSecondsBefore) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();
    QCoreApplication::processEvents();
    // Filled when first shown.
    EXPECT_TRUE(w->maneuverPanel()->rows().empty());
    w->controls()->setManeuversShown(true);
    const auto& rows = w->maneuverPanel()->rows();
    std::size_t total = 0;
    for (const auto& boat : w->session()->maneuvers()) total += boat.size();
    ASSERT_GT(total, 0u);
    ASSERT_EQ(rows.size(), total);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.timeSeconds < b.timeSeconds;
    }));
    EXPECT_EQ(w->maneuverPanel()->findChild<QTableWidget*>()->rowCount(), static_cast<int>(total));

    EXPECT_FALSE(w->maneuverPanel()->isHidden());
    // It leaves the compass and the wind graph in view, and stays on the map.
    const QRect panel = w->maneuverPanel()->geometry();
    EXPECT_GE(panel.top(), w->map()->y() + kWindGraphTop + kWindGraphHeight);
    EXPECT_LE(panel.bottom(), w->map()->geometry().bottom());
    const std::size_t pick = rows.size() / 2;
    emit w->maneuverPanel()->findChild<QTableWidget*>()->cellClicked(static_cast<int>(pick), 0);
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), rows[pick].timeSeconds - kManeuverLeadSeconds);
}

}  // namespace
}  // namespace korvane

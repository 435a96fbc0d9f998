// The maneuver table: every maneuver of the race in time order, and a click
// on a row puts the replay just before it.
#include "app/maneuver_panel.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableView>

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
    auto* view = w->maneuverPanel()->findChild<QTableView*>("maneuverTable");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->model()->rowCount(), static_cast<int>(total));

    EXPECT_FALSE(w->maneuverPanel()->isHidden());
    // It leaves the compass and the wind graph in view, and stays on the map.
    const QRect panel = w->maneuverPanel()->geometry();
    EXPECT_GE(panel.top(), w->map()->y() + kWindGraphTop + kWindGraphHeight);
    EXPECT_LE(panel.bottom(), w->map()->geometry().bottom());
    const std::size_t pick = rows.size() / 2;
    emit view->clicked(view->model()->index(static_cast<int>(pick), 0));
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), rows[pick].timeSeconds - kManeuverLeadSeconds);
    EXPECT_EQ(w->boatPanel()->selection().highlighted(), rows[pick].boatIndex);
}

// The table speaks the window's language and follows it when it changes.
TEST(ManeuverPanel, HeadingsKindsAndFiltersFollowTheWindowsLanguage) {
    const auto w = openSample();
    w->controls()->setManeuversShown(true);
    auto* view = w->maneuverPanel()->findChild<QTableView*>("maneuverTable");
    auto* kinds = w->maneuverPanel()->findChild<QComboBox*>("maneuverKindFilter");
    ASSERT_NE(view, nullptr);
    ASSERT_NE(kinds, nullptr);
    const auto heading = [&] {
        return view->model()->headerData(0, Qt::Horizontal).toString().toStdString();
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        w->chrome()->setLanguage(language);
        EXPECT_EQ(heading(), pick(language, "時刻", "Time"));
        EXPECT_EQ(kinds->itemText(0).toStdString(), pick(language, "全種類", "All kinds"));
        EXPECT_EQ(kinds->itemText(1), maneuverKindText(kManeuverKinds[0], language));
    }
    EXPECT_EQ(maneuverKindText(ManeuverKind::Tack, Language::Japanese), QStringLiteral("タック"));
}

ManeuverRow row(int boat, std::optional<int> cls, ManeuverKind kind, double time,
                std::optional<double> loss, ManeuverPhase phase = ManeuverPhase::Racing) {
    Maneuver m;
    m.kind = kind;
    m.timeSeconds = time;
    m.lossMetres = loss;
    m.phase = phase;
    return {boat, "boat " + std::to_string(boat), cls, time, kind, loss, m};
}

std::vector<ManeuverRow> someRows() {
    return {row(0, 0, ManeuverKind::Tack, 30, 12.5),
            row(1, 1, ManeuverKind::Tack, 20, std::nullopt), row(0, 0, ManeuverKind::Gybe, 10, -3),
            row(1, 1, ManeuverKind::Tack, 40, 40),
            row(2, 1, ManeuverKind::Tack, -50, -87, ManeuverPhase::BeforeStart)};
}

TEST(ManeuverModel, SortsByTheNumberAndAMissingLossComesLast) {
    ManeuverTableModel table;
    table.setRows(someRows());
    ManeuverFilterModel filter;
    filter.setSourceModel(&table);
    filter.sort(ManeuverTableModel::LossMetresColumn, Qt::AscendingOrder);
    std::vector<QString> shown;
    for (int r = 0; r < filter.rowCount(); ++r)
        shown.push_back(filter.index(r, ManeuverTableModel::LossMetresColumn).data().toString());
    EXPECT_EQ(shown, (std::vector<QString>{"-87.0", "-3.0", "12.5", "40.0", "\u2013"}));
    filter.sort(ManeuverTableModel::TimeColumn, Qt::AscendingOrder);
    EXPECT_DOUBLE_EQ(filter.rowAt(0)->timeSeconds, -50);
    EXPECT_DOUBLE_EQ(filter.rowAt(4)->timeSeconds, 40);
}

struct FilterCase {
    const char* name;
    ManeuverFilterChoice choice;
    int rows;
    int summaryLines;  // boats and kinds with a maneuver sailed while racing
};

class ManeuverFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ManeuverFilter, ByBoatClassAndKind) {
    const FilterCase& c = GetParam();
    ManeuverTableModel table;
    table.setRows(someRows());
    ManeuverFilterModel filter;
    filter.setSourceModel(&table);
    filter.setChoice(c.choice);
    EXPECT_EQ(filter.rowCount(), c.rows);
    for (int r = 0; r < filter.rowCount(); ++r) EXPECT_TRUE(c.choice.accepts(*filter.rowAt(r)));
    ManeuverSummaryModel summary;
    summary.summarize(table.rows(), c.choice);
    EXPECT_EQ(summary.rowCount(), c.summaryLines);
}

INSTANTIATE_TEST_SUITE_P(Choices, ManeuverFilter,
                         ::testing::Values(FilterCase{"Everything", {{}, {}, {}}, 5, 3},
                                           FilterCase{"OneBoat", {1, {}, {}}, 2, 1},
                                           FilterCase{"OneClass", {{}, 1, {}}, 3, 1},
                                           FilterCase{
                                               "OneKind", {{}, {}, ManeuverKind::Gybe}, 1, 1},
                                           FilterCase{"OnlyBeforeTheStart", {2, {}, {}}, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ManeuverModel, TheSummaryLeavesOutWhatWasNotRaced) {
    ManeuverTableModel table;
    table.setRows(someRows());
    ManeuverSummaryModel summary;
    summary.summarize(table.rows(), {{}, 1, {}});
    ASSERT_EQ(summary.rowCount(), 1);
    // Boat 1's two tacks; boat 2's pre-start -87 m counts nowhere.
    EXPECT_EQ(summary.index(0, ManeuverSummaryModel::CountColumn).data().toInt(), 2);
    EXPECT_EQ(summary.index(0, ManeuverSummaryModel::MeanColumn).data().toString(), "40.0");
    EXPECT_EQ(summary.index(0, ManeuverSummaryModel::WorstColumn).data().toString(), "40.0");
}

}  // namespace
}  // namespace korvane

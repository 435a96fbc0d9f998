#include <gtest/gtest.h>

#include "view/boat_panel_layout.h"
#include "view/log_feedback.h"

namespace korvane {
namespace {

struct PanelCase {
    int boats, classes;
    bool withClasses;
    int rows, boatPanelHeight, classPanelHeight;
};

class BoatPanel : public ::testing::TestWithParam<PanelCase> {};

TEST_P(BoatPanel, RowsAndHeights) {
    const PanelCase& c = GetParam();
    const BoatPanelLayout l = computeBoatPanelLayout(c.boats, c.classes, c.withClasses);
    EXPECT_EQ(l.rows, c.rows);
    EXPECT_EQ(l.boatPanelHeight, c.boatPanelHeight);
    EXPECT_EQ(l.classPanelHeight, c.classPanelHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BoatPanel,
    ::testing::Values(PanelCase{1, 0, false, 1, 39, 0},
                      // An odd count takes its extra row; classes add their own panel.
                      PanelCase{3, 2, true, 2, 2 * 14 + 25 + 38, 2 * 14 + 10},
                      PanelCase{4, 0, false, 2, 53, 0},
                      PanelCase{81, 10, true, 41, 41 * 14 + 25 + 150, 150}));

struct LogCase {
    const char* format;
    int fixes;
    bool beeps, resetsZoom;
};

class LogFeedback : public ::testing::TestWithParam<LogCase> {};

TEST_P(LogFeedback, BeepAndZoomFollowTheFormat) {
    const LogCase& c = GetParam();
    EXPECT_EQ(beepsAfterReading(c.format), c.beeps);
    EXPECT_EQ(resetsZoomAfterReading(c.format, c.fixes), c.resetsZoom);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LogFeedback,
    ::testing::Values(LogCase{"gdb", 20, true, false}, LogCase{"mps", 0, true, false},
                      LogCase{"trl", 500, true, false}, LogCase{"gpx", 99, false, true},
                      LogCase{"gpx", 100, false, false}, LogCase{"trb", 15, false, true},
                      LogCase{"dtr", 0, false, true}, LogCase{"trk", 42, false, true},
                      LogCase{"log", 99, false, true},
                      // No reader took the log: nothing to sound, nothing to reset.
                      LogCase{"", 0, false, false}));

}  // namespace
}  // namespace korvane

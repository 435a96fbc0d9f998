#include "view/frame_layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "synthetic_race.h"

namespace korvane {
namespace {

struct LayoutCase {
    const char* name;
    double time;
    std::function<void(DisplayState&)> choose;
    std::function<void(const FrameLayout&, const Viewport&)> check;
};
void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameLayoutCases : public ::testing::TestWithParam<LayoutCase> {};

// The layout is worked out before anything is painted, from the race and
// the window's choices alone.
TEST_P(FrameLayoutCases, Holds) {
    const RaceModel m = testing::syntheticRace(3, 2, 3600);
    const RaceArea area = computeRaceArea(m, {});
    DisplayState d;
    GetParam().choose(d);
    ViewState state;
    Viewport view;
    view.width = 800;
    view.height = 600;
    const FrameLayout layout = layoutFrame(GetParam().time, m, area, d, state, view);
    GetParam().check(layout, view);
}

const Viewport kUntouched;

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameLayoutCases,
    ::testing::Values(LayoutCase{"every boat shown and fitted", 600, [](DisplayState&) {},
                                 [](const FrameLayout& f, const Viewport& v) {
                                     EXPECT_TRUE(f.drawn);
                                     EXPECT_EQ(f.visibleCount, 3);
                                     EXPECT_EQ(f.firstVisible, (std::vector<int>{0, 1, 2}));
                                     EXPECT_NE(v.latScale, kUntouched.latScale);
                                     EXPECT_EQ(f.sizeNote, "Real Size");
                                 }},
                      LayoutCase{"after the last fix nothing is drawn and the view is not fitted",
                                 99999, [](DisplayState&) {},
                                 [](const FrameLayout& f, const Viewport& v) {
                                     EXPECT_FALSE(f.drawn);
                                     EXPECT_EQ(v.latScale, kUntouched.latScale);
                                     EXPECT_EQ(v.centreLat, kUntouched.centreLat);
                                 }},
                      LayoutCase{"unchecking every boat shows them all again", 600,
                                 [](DisplayState& d) {
                                     d.boatChecked = {false, false, false};
                                 },
                                 [](const FrameLayout& f, const Viewport&) {
                                     EXPECT_TRUE(f.recheckAllBoats);
                                     EXPECT_EQ(f.visibleCount, 0);
                                     EXPECT_EQ(f.visible, (std::vector<bool>{true, true, true}));
                                 }},
                      LayoutCase{"checks count by slot from the first boat", 600,
                                 [](DisplayState& d) {
                                     d.boatChecked = {false, true, false};
                                 },
                                 [](const FrameLayout& f, const Viewport&) {
                                     EXPECT_EQ(f.visible, (std::vector<bool>{false, true, false}));
                                     EXPECT_EQ(f.firstVisible, (std::vector<int>{1}));
                                 }},
                      LayoutCase{"Show Name shows hidden boats and their names", 600,
                                 [](DisplayState& d) { d.showName = true; },
                                 [](const FrameLayout& f, const Viewport&) {
                                     EXPECT_TRUE(f.display.showHiddenBoats);
                                     EXPECT_EQ(f.display.labelLevel, 1);
                                 }},
                      LayoutCase{"Big Boat enlarges a small symbol", 600,
                                 [](DisplayState& d) {
                                     d.bigBoat = true;
                                     d.zoomDivisor = 11;  // zoomed far out: the real size is tiny
                                 },
                                 [](const FrameLayout& f, const Viewport&) {
                                     EXPECT_EQ(f.sizeNote, "Size Enlarged");
                                     EXPECT_EQ(f.symbolLength, 14);
                                 }}));

}  // namespace
}  // namespace korvane

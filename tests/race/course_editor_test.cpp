// The course editor click by click: what each Shift-click adds or removes,
// the limits of the tables, the course after a deletion, and undo.
#include "race/course_editor.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// One step of a session: a click (or a button) and the course it leaves.
struct Step {
    Step(EditAction a, bool l = true, std::optional<int> m = {}, std::optional<int> n = {})
        : action(a), left(l), mark(m), line(n) {}
    EditAction action;
    bool left;
    std::optional<int> mark, line;
};

struct EditCase {
    const char* name;
    int marks = 0, lines = 0;         // placed before the steps
    std::vector<std::string> course;  // the course before
    std::vector<Step> steps;
    int wantMarks = 0, wantLines = 0;
    std::vector<std::string> wantCourse;
    EditAction wantAction = EditAction::None;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

RaceModel raceWith(int marks, int lines, const std::vector<std::string>& course) {
    RaceModel m;
    for (int i = 0; i < marks; ++i) m.marks.append(Mark{100.0 + i, 200.0 + i});
    for (int i = 0; i < lines; ++i) m.lines.append(Line{10.0 + i, 20, 30, 40});
    for (const auto& e : course) m.race.course.append(e);
    return m;
}

std::vector<std::string> courseOf(const CourseEditor& e) {
    return {e.draft().course.begin(), e.draft().course.end()};
}

class CourseEditing : public ::testing::TestWithParam<EditCase> {};

TEST_P(CourseEditing, LeavesTheExpectedCourse) {
    const EditCase& c = GetParam();
    CourseEditor editor(raceWith(c.marks, c.lines, c.course));
    for (const Step& s : c.steps) {
        if (editor.action() != s.action) editor.setAction(s.action);
        editor.click({1, 2, s.left, s.mark, s.line});
    }
    EXPECT_EQ(editor.draft().marks.count(), c.wantMarks);
    EXPECT_EQ(editor.draft().lines.count(), c.wantLines);
    EXPECT_EQ(courseOf(editor), c.wantCourse);
    EXPECT_EQ(editor.action(), c.wantAction);
}

constexpr auto kMarks = EditAction::PlaceMarks;
constexpr auto kLine1 = EditAction::LineFirstEnd;
constexpr auto kLine2 = EditAction::LineSecondEnd;
constexpr auto kCourse = EditAction::BuildCourse;

INSTANTIATE_TEST_SUITE_P(
    Clicks, CourseEditing,
    ::testing::Values(
        EditCase{"TwoMarksPlaced", 0, 0, {}, {{kMarks}, {kMarks}}, 2, 0, {}, kMarks},
        EditCase{"TwoClicksMakeALine", 0, 0, {}, {{kLine1}, {kLine2}}, 0, 1, {}, kLine1},
        EditCase{"ThirdClickStartsTheNextLine",
                 0,
                 0,
                 {},
                 {{kLine1}, {kLine2}, {kLine1}},
                 0,
                 2,
                 {},
                 kLine2},
        EditCase{"OneClickAppendsMarkAndLine",
                 2,
                 1,
                 {},
                 {{kCourse, true, 1, 0}},
                 2,
                 1,
                 {"MK2", "L1"},
                 kCourse},
        EditCase{"ClickOnNothingAddsNothing", 2, 1, {"MK1"}, {{kCourse}}, 2, 1, {"MK1"}, kCourse},
        EditCase{"DeletingMark2Of3RenumbersTheCourse",
                 3,
                 0,
                 {"MK1", "MK2", "MK3", "L1"},
                 {{kMarks, false, 1, {}}},
                 2,
                 0,
                 {"MK1", "MK2", "L1"},
                 kMarks},
        EditCase{"DeletingLine1MovesLine2Down",
                 0,
                 2,
                 {"L1", "MK1", "L2"},
                 {{kLine1, false, {}, 0}},
                 0,
                 1,
                 {"MK1", "L1"},
                 kLine1},
        EditCase{
            "RightClickWithoutPickDeletesNothing", 3, 0, {}, {{kMarks, false}}, 3, 0, {}, kMarks},
        EditCase{"RightClickBuildingCourseDeletesNothing",
                 3,
                 0,
                 {},
                 {{kCourse, false, 0, {}}},
                 3,
                 0,
                 {},
                 kCourse},
        EditCase{"MarksStopAtTheTableSize", 20, 0, {}, {{kMarks}}, 20, 0, {}, kMarks},
        EditCase{"LinesStopAtTheTableSize", 0, 10, {}, {{kLine1}}, 0, 10, {}, kLine1},
        EditCase{"CourseStopsAtTheTableSize",
                 1,
                 1,
                 std::vector<std::string>(19, "MK1"),
                 {{kCourse, true, 0, 0}},
                 1,
                 1,
                 std::vector<std::string>(19, "MK1"),
                 kCourse}));

TEST(CourseEditor, RefusalSaysWhy) {
    CourseEditor editor(raceWith(20, 0, {}));
    editor.setAction(EditAction::PlaceMarks);
    const EditOutcome out = editor.click({1, 2, true, {}, {}});
    EXPECT_FALSE(out.changed);
    EXPECT_NE(out.refusal.find("20"), std::string::npos);
}

TEST(CourseEditor, UndoPutsBackTheLastClickOnly) {
    CourseEditor editor(raceWith(3, 0, {"MK3"}));
    editor.setAction(EditAction::PlaceMarks);
    editor.click({5, 6, true, {}, {}});
    editor.click({0, 0, false, 0, {}});  // deletes mark 1
    ASSERT_TRUE(editor.undo());
    ASSERT_EQ(editor.draft().marks.count(), 4);
    EXPECT_EQ(editor.draft().marks.at(0).latMinutes, 100);
    EXPECT_EQ(editor.draft().marks.at(3).latMinutes, 5);
    EXPECT_EQ(courseOf(editor), std::vector<std::string>{"MK3"});
    EXPECT_FALSE(editor.undo());
}

TEST(CourseEditor, UndoOfALineEndGoesBackToThatEnd) {
    CourseEditor editor;
    editor.setAction(EditAction::LineFirstEnd);
    editor.click({1, 2, true, {}, {}});
    editor.click({3, 4, true, {}, {}});
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.action(), EditAction::LineSecondEnd);
    EXPECT_EQ(editor.draft().lines.at(0).lat2Minutes, 0);
}

struct WindCase {
    const char* name;
    int input;
    double variation;
    double turnBy;  // 0: typed
    int wantInput, wantDirection;
};

class MeanWind : public ::testing::TestWithParam<WindCase> {};

TEST_P(MeanWind, FoldsAndAddsTheVariation) {
    const WindCase& c = GetParam();
    RaceModel m;
    m.race.magneticVariation = c.variation;
    CourseEditor editor(m);
    editor.setWindDirectionInput(c.input);
    if (c.turnBy != 0) editor.turnWindBy(c.turnBy);
    EXPECT_EQ(editor.draft().windDirectionInput, c.wantInput);
    EXPECT_EQ(editor.draft().windDirection, c.wantDirection);
}

INSTANTIATE_TEST_SUITE_P(
    Wind, MeanWind,
    ::testing::Values(WindCase{"Plain", 200, -7, 0, 200, 193},
                      WindCase{"BelowZeroAfterVariation", 3, -7, 0, 3, 356},
                      WindCase{"Negative", -10, 0, 0, 350, 350},
                      WindCase{"FarOutOfRangeStillFolds", 1000, 0, 0, 280, 280},
                      WindCase{"HalfVariationRoundsToEven", 10, 0.5, 0, 10, 10},
                      WindCase{"CompassTurnWraps", 300, 0, 90.4, 30, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindDirectionText, TakesWholeNumbersOnly) {
    EXPECT_EQ(windDirectionFromText(" 370 "), 10);
    EXPECT_EQ(windDirectionFromText("-90"), 270);
    EXPECT_EQ(windDirectionFromText("12.5"), std::nullopt);
    EXPECT_EQ(windDirectionFromText(""), std::nullopt);
    EXPECT_EQ(windDirectionFromText("NE"), std::nullopt);
}

TEST(CourseEditor, AppliesTheDraftToTheModel) {
    CourseEditor editor(raceWith(1, 0, {}));
    editor.setAction(EditAction::BuildCourse);
    editor.click({0, 0, true, 0, {}});
    editor.setWindDirectionInput(45);
    RaceModel m = raceWith(3, 2, {"L1"});
    editor.applyTo(m);
    EXPECT_EQ(m.marks.count(), 1);
    EXPECT_EQ(m.lines.count(), 0);
    EXPECT_EQ(m.race.courseLength(), 1);
    EXPECT_EQ(m.race.windDirectionInput, 45);
}

}  // namespace
}  // namespace korvane

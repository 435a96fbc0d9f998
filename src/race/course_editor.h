// The course being prepared: marks, lines, the course list and the mean
// wind, edited click by click with the last click undoable. It knows no
// widget and no file; the map turns clicks into its calls and the race-file
// rewrite takes what it holds.
#pragma once

#include <optional>
#include <string>

#include "race/model.h"

namespace korvane {

enum class EditAction { None, PlaceMarks, LineFirstEnd, LineSecondEnd, BuildCourse, DrawWind };

struct CourseDraft {
    FixedTable<Mark, kMaxMarks> marks;
    FixedTable<Line, kMaxLines> lines;
    FixedTable<std::string, kMaxCourseEntries> course;
    int windDirectionInput = 0;  // as the race file's WD line holds it
    int windDirection = 0;       // with the magnetic variation added
};

// A Shift-click on the map: where, which button, and the mark and line
// nearest to it (0-based), if any.
struct EditClick {
    double latMinutes = 0;
    double lonMinutes = 0;
    bool leftButton = true;
    std::optional<int> mark;
    std::optional<int> line;
};

struct EditOutcome {
    bool changed = false;
    std::string refusal;  // why nothing was added, for the user
};

// A wind direction typed in the editing panel, folded into 0 ... 359;
// nullopt when the text is not a whole number.
std::optional<int> windDirectionFromText(std::string_view text);

class CourseEditor {
  public:
    CourseEditor() = default;
    explicit CourseEditor(const RaceModel& model);

    EditAction action() const { return action_; }
    void setAction(EditAction action) { action_ = action; }
    const CourseDraft& draft() const { return draft_; }

    EditOutcome click(const EditClick& click);
    void resetCourse();
    // The mean wind: typed (folded), or turned by a bearing from the compass.
    void setWindDirectionInput(int degrees);
    void turnWindBy(double bearingDegrees);
    // Puts back what the last change replaced; false when there is none.
    bool undo();
    bool canUndo() const { return undo_.has_value(); }

    // The draft in place of the model's course, marks, lines and wind.
    void applyTo(RaceModel& model) const;

  private:
    struct Snapshot {
        CourseDraft draft;
        EditAction action;
    };
    void remember() { undo_ = Snapshot{draft_, action_}; }
    EditOutcome placeMark(const EditClick& c);
    EditOutcome lineEnd(const EditClick& c);
    EditOutcome courseEntry(const EditClick& c);
    EditOutcome deleteMark(int index);
    EditOutcome deleteLine(int index);

    CourseDraft draft_;
    double magneticVariation_ = 0;
    EditAction action_ = EditAction::None;
    std::optional<Snapshot> undo_;
};

}  // namespace korvane

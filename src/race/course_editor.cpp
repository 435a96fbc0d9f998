#include "race/course_editor.h"

#include <charconv>
#include <cmath>

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

int fold360(long long degrees) {
    const long long r = degrees % 360;
    return static_cast<int>(r < 0 ? r + 360 : r);
}

// "MK3" -> {"MK", 3}; entries the editor did not write may be anything.
struct EntryRef {
    std::string prefix;
    int number = 0;
};
std::optional<EntryRef> entryRef(const std::string& entry) {
    const std::string upper = toUpperAscii(trimBlanks(entry));
    for (const char* prefix : {"MK", "L"}) {
        const std::string_view p = prefix;
        if (upper.size() <= p.size() || upper.compare(0, p.size(), p) != 0) continue;
        int n = 0;
        const char* first = upper.data() + p.size();
        const char* last = upper.data() + upper.size();
        const auto [end, ec] = std::from_chars(first, last, n);
        if (ec == std::errc{} && end == last) return EntryRef{std::string(p), n};
    }
    return std::nullopt;
}

// After slot `deleted` (1-based) of the marks or lines goes, the course must
// not name a slot that now holds another point: entries for the deleted one
// go, later ones move down with their point.
void renumberCourse(FixedTable<std::string, kMaxCourseEntries>& course, const std::string& prefix,
                    int deleted) {
    FixedTable<std::string, kMaxCourseEntries> kept;
    for (const std::string& entry : course) {
        const auto ref = entryRef(entry);
        if (!ref || ref->prefix != prefix || ref->number < deleted) {
            kept.append(entry);
        } else if (ref->number > deleted) {
            kept.append(prefix + std::to_string(ref->number - 1));
        }
    }
    course = std::move(kept);
}

template <class T, int N>
void eraseAt(FixedTable<T, N>& table, int index) {
    FixedTable<T, N> kept;
    int i = 0;
    for (T& item : table)
        if (i++ != index) kept.append(std::move(item));
    table = std::move(kept);
}

}  // namespace

std::optional<int> windDirectionFromText(std::string_view text) {
    const std::string t(trimBlanks(text));
    long long v = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (t.empty() || ec != std::errc{} || end != last) return std::nullopt;
    return fold360(v);
}

CourseEditor::CourseEditor(const RaceModel& model) {
    draft_.marks = model.marks;
    draft_.lines = model.lines;
    draft_.course = model.race.course;
    magneticVariation_ = model.race.magneticVariation;
    draft_.windDirectionInput = model.race.windDirectionInput;
    draft_.windDirection = model.race.windDirection;
}

EditOutcome CourseEditor::click(const EditClick& c) {
    if (c.leftButton) {
        switch (action_) {
            case EditAction::PlaceMarks:
                return placeMark(c);
            case EditAction::LineFirstEnd:
            case EditAction::LineSecondEnd:
                return lineEnd(c);
            case EditAction::BuildCourse:
                return courseEntry(c);
            default:
                return {};
        }
    }
    if (action_ == EditAction::PlaceMarks && c.mark) return deleteMark(*c.mark);
    if ((action_ == EditAction::LineFirstEnd || action_ == EditAction::LineSecondEnd) && c.line)
        return deleteLine(*c.line);
    return {};
}

EditOutcome CourseEditor::placeMark(const EditClick& c) {
    if (draft_.marks.full())
        return {false, "No more marks: a race holds " + std::to_string(kMaxMarks) + "."};
    remember();
    draft_.marks.append(Mark{c.latMinutes, c.lonMinutes});
    return {true, {}};
}

EditOutcome CourseEditor::lineEnd(const EditClick& c) {
    if (action_ == EditAction::LineFirstEnd) {
        if (draft_.lines.full())
            return {false, "No more lines: a race holds " + std::to_string(kMaxLines) + "."};
        remember();
        Line line;
        line.lat1Minutes = c.latMinutes;
        line.lon1Minutes = c.lonMinutes;
        draft_.lines.append(line);
        action_ = EditAction::LineSecondEnd;
        return {true, {}};
    }
    // A second end with no line begun (its line was deleted meanwhile)
    // starts a new line rather than moving another line's end.
    if (draft_.lines.empty()) {
        action_ = EditAction::LineFirstEnd;
        return lineEnd(c);
    }
    remember();
    Line& last = draft_.lines.at(draft_.lines.count() - 1);
    last.lat2Minutes = c.latMinutes;
    last.lon2Minutes = c.lonMinutes;
    action_ = EditAction::LineFirstEnd;
    return {true, {}};
}

EditOutcome CourseEditor::courseEntry(const EditClick& c) {
    const int wanted = (c.mark ? 1 : 0) + (c.line ? 1 : 0);
    if (wanted == 0) return {};
    if (draft_.course.count() + wanted > kMaxCourseEntries)
        return {false, "No more course entries: a course holds " +
                           std::to_string(kMaxCourseEntries) + "."};
    remember();
    if (c.mark) draft_.course.append("MK" + std::to_string(*c.mark + 1));
    if (c.line) draft_.course.append("L" + std::to_string(*c.line + 1));
    return {true, {}};
}

EditOutcome CourseEditor::deleteMark(int index) {
    if (index < 0 || index >= draft_.marks.count()) return {};
    remember();
    eraseAt(draft_.marks, index);
    renumberCourse(draft_.course, "MK", index + 1);
    return {true, {}};
}

EditOutcome CourseEditor::deleteLine(int index) {
    if (index < 0 || index >= draft_.lines.count()) return {};
    remember();
    eraseAt(draft_.lines, index);
    renumberCourse(draft_.course, "L", index + 1);
    return {true, {}};
}

void CourseEditor::resetCourse() {
    if (draft_.course.empty()) return;
    remember();
    draft_.course.clear();
}

void CourseEditor::setWindDirectionInput(int degrees) {
    remember();
    draft_.windDirectionInput = fold360(degrees);
    draft_.windDirection =
        fold360(roundHalfEvenToInt(draft_.windDirectionInput + magneticVariation_));
}

void CourseEditor::turnWindBy(double bearingDegrees) {
    if (!std::isfinite(bearingDegrees)) return;
    setWindDirectionInput(
        static_cast<int>(roundHalfEvenToInt(draft_.windDirectionInput + bearingDegrees)));
}

bool CourseEditor::undo() {
    if (!undo_) return false;
    draft_ = std::move(undo_->draft);
    action_ = undo_->action;
    undo_.reset();
    return true;
}

void CourseEditor::applyTo(RaceModel& model) const {
    model.marks = draft_.marks;
    model.lines = draft_.lines;
    model.race.course = draft_.course;
    model.race.windDirectionInput = draft_.windDirectionInput;
    model.race.windDirection = draft_.windDirection;
}

}  // namespace korvane

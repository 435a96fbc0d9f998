// Writing a race file back. Every change of a race file comes through
// rewriteRaceFile: it reads the file into its document, lets the caller edit
// that, and writes the result beside the old file before renaming it over,
// so the old file is whole until the new one is. The course editor's lines
// (WF, WD, MK, LN, CRS, PIC) are dropped and written anew from the model at
// the end; every other line keeps its bytes.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "race/model.h"
#include "race/race_document.h"

namespace korvane {

struct PictureLine {
    std::string folder;
    double offsetSeconds = 0;
    int size = 400;
    bool operator==(const PictureLine&) const = default;
};

// What the rewrite writes, taken from the model.
struct CourseLines {
    std::optional<std::string> addedBoat;  // a BN line for a boat not yet in the file
    std::string windFile;                  // empty: no WF line
    int windDirectionInput = 0;
    FixedTable<Mark, kMaxMarks> marks;
    FixedTable<Line, kMaxLines> lines;
    FixedTable<std::string, kMaxCourseEntries> course;
    std::optional<PictureLine> pictures;
};

// The model's course lines. A dropped boat with more than two fixes that
// the file does not hold yet comes first; `pictures` only when the race has
// pictures on show.
CourseLines courseLinesOf(const RaceModel& model, std::optional<PictureLine> pictures);

// The PIC line the race file gave the open race (folder, correction and
// size as read); nothing when it had none.
std::optional<PictureLine> pictureLineOf(const Race& race);

// Drops every line whose keyword (in any letter case) the editor owns and
// appends them in the order BN, WF, WD, MK, LN, CRS, PIC. A written line
// that says what an old one said keeps the old one's trailing comment.
void rewriteCourseLines(RaceDocument& doc, const CourseLines& lines);

enum class RewriteStatus {
    Written,
    Unchanged,        // the edit left every byte as it was
    NotWritable,      // the data root is read-only: nothing is tried
    Missing,          // no race file to rewrite
    Refused,          // the edit refused (a name that does not fit a line)
    OutsideDataRoot,  // the file leads out of the data root: never written
    WriteFailed,      // the old file is intact
};

struct RewriteResult {
    RewriteStatus status = RewriteStatus::Written;
    std::string message;  // for the user, empty when written
    bool ok() const {
        return status == RewriteStatus::Written || status == RewriteStatus::Unchanged;
    }
};

// The file system as the rewrite uses it; tests put a full disk or a
// read-only root in its place.
struct RewriteIo {
    std::function<bool(const std::filesystem::path& folder)> writable;
    std::function<bool(const std::filesystem::path& file, std::string_view bytes)> write;
    static RewriteIo real();
};

// Reads `raceFile`, runs `edit` on its document (false refuses), writes it
// back atomically. Nothing is written when `dataRoot` is not writable, nor
// when the file, its links resolved, lies outside `dataRoot`.
RewriteResult rewriteRaceFile(const std::filesystem::path& dataRoot,
                              const std::filesystem::path& raceFile,
                              const std::function<bool(RaceDocument&)>& edit,
                              const RewriteIo& io = RewriteIo::real());

}  // namespace korvane

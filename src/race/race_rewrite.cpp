#include "race/race_rewrite.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "base/file_io.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/text.h"
#include "race/fields.h"
#include "race/race_file_edits.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// A race file is a page of text; the rewrite refuses anything larger
// rather than reading it whole.
constexpr std::uintmax_t kMaxRewriteBytes = std::uintmax_t{1} << 20;

constexpr std::array<std::string_view, 6> kOwnedKeywords = {"MK", "LN", "WF", "CRS", "WD", "PIC"};

bool owned(std::string_view line) {
    const std::string k = lineKeyword(line);
    return std::find(kOwnedKeywords.begin(), kOwnedKeywords.end(), k) != kOwnedKeywords.end();
}

// A comma or line break inside a name would split or end its line.
std::string fieldText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ',' || c == '\r' || c == '\n') c = ' ';
    return out;
}

// The comment after a line's content, as the race file reader cuts it
// (a "//" past the fifth character), with the blanks before it; empty when
// there is none.
struct LineParts {
    std::string_view content;
    std::string_view comment;
};

LineParts partsOf(std::string_view line) {
    line = trimBlanks(line);
    const std::size_t at = line.find("//");
    if (at == std::string_view::npos || utf8Length(line.substr(0, at)) + 1 <= 5) return {line, {}};
    const std::string_view content = trimBlanks(line.substr(0, at));
    return {content, line.substr(content.size())};
}

bool sameField(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const auto x = parseDouble(a), y = parseDouble(b);
    return x && y && *x == *y;
}

// Whether two lines say the same to the reader: "MK,2106.50,8352.1" and
// "mk, 2106.5 ,8352.1" do.
bool sameLine(std::string_view a, std::string_view b) {
    const SplitFields x = splitFields(a, ","), y = splitFields(b, ",");
    if (x.count() != y.count() || x.count() == 0) return false;
    if (toUpperAscii(x[0]) != toUpperAscii(y[0])) return false;
    for (int i = 1; i < x.count(); ++i)
        if (!sameField(x[i], y[i])) return false;
    return true;
}

// A rewritten line the edit left as it was keeps the comment its old line
// had ("MK,... // windward mark"). Each old line lends its comment once, in
// file order, so two equal marks keep theirs in turn.
void keepComments(std::vector<std::string>& written, std::vector<LineParts> old) {
    std::vector<bool> used(old.size(), false);
    for (std::string& text : written)
        for (std::size_t k = 0; k < old.size(); ++k) {
            if (used[k] || !sameLine(old[k].content, text)) continue;
            used[k] = true;
            if (old[k].comment.empty()) break;
            // A blank before "//" keeps it past the fifth character, where
            // the reader takes it for a comment however short the line.
            const char first = old[k].comment.front();
            if (first != ' ' && first != '\t') text += ' ';
            text += old[k].comment;
            break;
        }
}

bool holdsBoatLine(const RaceDocument& doc, std::string_view boatLine) {
    const std::string wanted = toUpperAscii(splitFields(boatLine, ",").fields.at(1));
    for (const auto& l : doc.lines()) {
        if (lineKeyword(l.text) != "BN") continue;
        const SplitFields f = splitFields(l.text, ",");
        if (f.fields.size() > 1 && toUpperAscii(trimBlanks(f.fields[1])) == wanted) return true;
    }
    return false;
}

}  // namespace

CourseLines courseLinesOf(const RaceModel& model, std::optional<PictureLine> pictures) {
    CourseLines out;
    const Boat& dropped = model.droppedBoat;
    if (dropped.pointCount() > 2 && fitsBoatLine(dropped.logFile))
        out.addedBoat = boatLineText(dropped.logFile, dropped.name, dropped.tcf);
    if (!model.windSamples.empty()) out.windFile = model.race.windFile;
    out.windDirectionInput = model.race.windDirectionInput;
    out.marks = model.marks;
    out.lines = model.lines;
    out.course = model.race.course;
    out.pictures = std::move(pictures);
    return out;
}

void rewriteCourseLines(RaceDocument& doc, const CourseLines& c) {
    std::vector<std::string> added;
    if (c.addedBoat && !holdsBoatLine(doc, *c.addedBoat)) added.push_back(*c.addedBoat);
    const std::size_t firstOwned = added.size();
    std::vector<std::string> oldTexts;
    for (int i = doc.lineCount() - 1; i >= 0; --i)
        if (owned(doc.line(i).text)) {
            oldTexts.push_back(doc.line(i).text);
            doc.removeLine(i);
        }
    std::reverse(oldTexts.begin(), oldTexts.end());
    if (!c.windFile.empty()) added.push_back("WF," + fieldText(c.windFile));
    added.push_back("WD, " + std::to_string(c.windDirectionInput));
    for (const Mark& m : c.marks)
        added.push_back("MK," + formatNumber(m.latMinutes) + "," + formatNumber(m.lonMinutes));
    for (const Line& l : c.lines)
        added.push_back("LN," + formatNumber(l.lat1Minutes) + "," + formatNumber(l.lon1Minutes) +
                        "," + formatNumber(l.lat2Minutes) + "," + formatNumber(l.lon2Minutes));
    if (!c.course.empty()) {
        std::string crs = "CRS";
        for (const std::string& entry : c.course) crs += "," + fieldText(entry);
        added.push_back(std::move(crs));
    }
    if (c.pictures)
        added.push_back("PIC," + fieldText(c.pictures->folder) + "," +
                        formatNumber(c.pictures->offsetSeconds) + "," +
                        std::to_string(c.pictures->size));
    std::vector<LineParts> oldParts;
    for (const std::string& t : oldTexts) oldParts.push_back(partsOf(t));
    std::vector<std::string> rewritten(added.begin() + static_cast<std::ptrdiff_t>(firstOwned),
                                       added.end());
    keepComments(rewritten, std::move(oldParts));
    added.resize(firstOwned);
    for (std::string& text : added) doc.insertLine(doc.lineCount(), std::move(text));
    for (std::string& text : rewritten) doc.insertLine(doc.lineCount(), std::move(text));
}

std::optional<PictureLine> pictureLineOf(const Race& race) {
    if (race.pictureFolderSaved.empty()) return std::nullopt;
    // The reader holds the correction as a float; at float precision it
    // is written back as the file had it ("0.1", not "0.100000001490116").
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(race.pictureTimeOffset));
    return PictureLine{race.pictureFolderSaved, std::strtod(text, nullptr), race.pictureSize};
}

RewriteIo RewriteIo::real() {
    RewriteIo io;
    io.writable = [](const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; };
    io.write = [](const fs::path& file, std::string_view bytes) {
        return writeFileAtomically(file, bytes);
    };
    return io;
}

RewriteResult rewriteRaceFile(const fs::path& dataRoot, const fs::path& raceFile,
                              const std::function<bool(RaceDocument&)>& edit, const RewriteIo& io) {
    const std::string shown = raceFile.string();
    if (!io.writable(dataRoot))
        return {
            RewriteStatus::NotWritable,
            "The data folder is read-only; race files are not rewritten:\n" + dataRoot.string()};
    // A race file linked to a file elsewhere would have that file
    // rewritten; whatever the link says, writes stay inside the data root.
    const auto target = resolvedInside(dataRoot, raceFile);
    if (!target)
        return {RewriteStatus::OutsideDataRoot,
                "The race file leads outside the data folder; it is not rewritten:\n" + shown};
    const FileRead read = readRegularFile(*target, kMaxRewriteBytes);
    if (!read.bytes) return {RewriteStatus::Missing, "The race file could not be read:\n" + shown};
    RaceDocument doc = RaceDocument::fromBytes(*read.bytes);
    if (!edit(doc)) return {RewriteStatus::Refused, "The race file was not changed:\n" + shown};
    const std::string bytes = doc.toBytes();
    if (bytes == *read.bytes) return {RewriteStatus::Unchanged, {}};
    if (!io.write(*target, bytes))
        return {RewriteStatus::WriteFailed,
                "The race file could not be rewritten; it keeps its old content:\n" + shown};
    return {RewriteStatus::Written, {}};
}

}  // namespace korvane

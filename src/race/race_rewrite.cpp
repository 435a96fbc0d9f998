#include "race/race_rewrite.h"

#include <unistd.h>

#include <algorithm>
#include <array>

#include "base/file_io.h"
#include "base/numbers.h"
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
    for (int i = doc.lineCount() - 1; i >= 0; --i)
        if (owned(doc.line(i).text)) doc.removeLine(i);
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
    for (std::string& text : added) doc.insertLine(doc.lineCount(), std::move(text));
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
    const FileRead read = readRegularFile(raceFile, kMaxRewriteBytes);
    if (!read.bytes) return {RewriteStatus::Missing, "The race file could not be read:\n" + shown};
    RaceDocument doc = RaceDocument::fromBytes(*read.bytes);
    if (!edit(doc)) return {RewriteStatus::Refused, "The race file was not changed:\n" + shown};
    const std::string bytes = doc.toBytes();
    if (bytes == *read.bytes) return {RewriteStatus::Unchanged, {}};
    if (!io.write(raceFile, bytes))
        return {RewriteStatus::WriteFailed,
                "The race file could not be rewritten; it keeps its old content:\n" + shown};
    return {RewriteStatus::Written, {}};
}

}  // namespace korvane

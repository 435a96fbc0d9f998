#include "race/passing_corrections.h"

#include <algorithm>
#include <cmath>

#include "base/file_io.h"
#include "base/numbers.h"

namespace korvane {

namespace {

constexpr std::string_view kPinWord = "PIN";
constexpr std::string_view kNotPassedWord = "NOTPASSED";

std::vector<std::string_view> commaFields(std::string_view line, std::size_t maxFields) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < maxFields) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) break;
        fields.push_back(trimBlanks(line.substr(0, comma)));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(trimBlanks(line));  // the rest: the boat's name may hold anything
    return fields;
}

bool earlier(const PassingCorrection& a, const PassingCorrection& b) {
    return a.boat != b.boat ? a.boat < b.boat : a.point < b.point;
}

}  // namespace

const PassingCorrection* PassingCorrections::find(int boat, int point) const {
    for (const PassingCorrection& c : items_)
        if (c.boat == boat && c.point == point) return &c;
    return nullptr;
}

void PassingCorrections::set(const PassingCorrection& correction) {
    clear(correction.boat, correction.point);
    PassingCorrection kept = correction;
    // Milliseconds: the file then gives back the very same time.
    kept.elapsedSeconds = std::round(kept.elapsedSeconds * 1000) / 1000;
    if (kept.kind == PassingCorrectionKind::NotPassed) kept.elapsedSeconds = 0;
    items_.insert(std::upper_bound(items_.begin(), items_.end(), kept, earlier), kept);
}

bool PassingCorrections::clear(int boat, int point) {
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const PassingCorrection& c) {
        return c.boat == boat && c.point == point;
    });
    if (it == items_.end()) return false;
    items_.erase(it);
    return true;
}

std::filesystem::path passingCorrectionsPath(const std::filesystem::path& raceFile) {
    std::filesystem::path path = raceFile;
    path += ".passings";
    return path;
}

PassingCorrectionsRead parsePassingCorrections(std::string_view bytes, const std::string& fileName,
                                               const RaceModel& model) {
    PassingCorrectionsRead read;
    const std::string text = decodeText(bytes);
    int lineNumber = 0;
    for (const std::string_view raw : splitLines(text)) {
        ++lineNumber;
        const std::string_view line = trimBlanks(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        auto refuse = [&](const std::string& why) {
            read.warnings.push_back(fileName + " (line " + std::to_string(lineNumber) +
                                    "): " + why + "; the line is ignored");
        };
        const std::string word = toUpperAscii(line.substr(0, line.find(',')));
        const bool pin = word == kPinWord;
        if (!pin && word != kNotPassedWord) {
            refuse("expected PIN or NOTPASSED");
            continue;
        }
        const auto fields = commaFields(line, pin ? 5 : 4);
        const std::size_t nameField = pin ? 4 : 3;
        if (fields.size() < nameField) {
            refuse("too few fields");
            continue;
        }
        const auto slot = parseInt32(fields[1]);
        const auto point = parseInt32(fields[2]);
        if (!slot || !point) {
            refuse("the boat and the course point must be whole numbers");
            continue;
        }
        if (*slot < 1 || *slot > model.boatCount()) {
            refuse("the race has no boat " + std::to_string(*slot));
            continue;
        }
        if (*point < 1 || *point > model.race.courseLength()) {
            refuse("the course has no point " + std::to_string(*point));
            continue;
        }
        const std::string& boatName = model.boats[*slot - 1].name;
        if (fields.size() > nameField && !fields[nameField].empty() &&
            fields[nameField] != boatName) {
            refuse("boat " + std::to_string(*slot) + " is " + boatName + ", not " +
                   std::string(fields[nameField]));
            continue;
        }
        PassingCorrection c;
        c.boat = *slot - 1;
        c.point = *point - 1;
        if (pin) {
            const auto seconds = parseDouble(fields[3]);
            if (!seconds || !std::isfinite(*seconds)) {
                refuse("'" + std::string(fields[3]) + "' is not a number of seconds");
                continue;
            }
            c.elapsedSeconds = *seconds;
        } else {
            c.kind = PassingCorrectionKind::NotPassed;
        }
        read.corrections.set(c);
    }
    return read;
}

PassingCorrectionsRead readPassingCorrections(const std::filesystem::path& path,
                                              const RaceModel& model) {
    const FileRead file = readRegularFile(path, kMaxPassingCorrectionsBytes);
    if (file.failure == ReadFailure::NotFound) return {};
    const std::string fileName = path.filename().string();
    if (!file.bytes || looksBinary(*file.bytes))
        return {{},
                {fileName + ": " +
                 (file.bytes ? std::string("not a text file")
                             : describeReadFailure(file.failure, kMaxPassingCorrectionsBytes)) +
                 "; no passing is corrected"}};
    return parsePassingCorrections(*file.bytes, fileName, model);
}

std::string formatPassingCorrections(const PassingCorrections& corrections, const RaceModel& model,
                                     TextEncoding encoding, std::string_view lineEnd) {
    std::string text =
        "; korvane: corrected mark passings (boat slot, course point, seconds "
        "from the gun in elapsed time, boat name)";
    text += lineEnd;
    for (const PassingCorrection& c : corrections.items()) {
        const bool pin = c.kind == PassingCorrectionKind::Pinned;
        text += pin ? kPinWord : kNotPassedWord;
        text += ',' + std::to_string(c.boat + 1) + ',' + std::to_string(c.point + 1) + ',';
        if (pin) text += formatNumber(c.elapsedSeconds) + ',';
        if (c.boat >= 0 && c.boat < model.boatCount()) text += model.boats[c.boat].name;
        text += lineEnd;
    }
    return encodeText(text, encoding);
}

bool savePassingCorrections(const std::filesystem::path& path,
                            const PassingCorrections& corrections, const RaceModel& model,
                            TextEncoding encoding, std::string_view lineEnd) {
    if (corrections.empty()) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return !ec;
    }
    return writeFileAtomically(path,
                               formatPassingCorrections(corrections, model, encoding, lineEnd));
}

namespace {
bool stretched(const Boat& boat, const Race& race) {
    return race.timeMode == TimeMode::Corrected && boat.loggedFixCount > 100 && boat.tcf > 0;
}
}  // namespace

double shownSecondsOf(const Boat& boat, const Race& race, double elapsedSeconds) {
    return stretched(boat, race) && elapsedSeconds > 0 ? elapsedSeconds * boat.tcf : elapsedSeconds;
}

double elapsedSecondsOf(const Boat& boat, const Race& race, double shownSeconds) {
    return stretched(boat, race) && shownSeconds > 0 ? shownSeconds / boat.tcf : shownSeconds;
}

}  // namespace korvane

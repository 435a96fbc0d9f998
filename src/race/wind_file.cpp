#include "race/wind_file.h"

#include <algorithm>

#include "base/file_io.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/text.h"
#include "race/fields.h"
#include "race/race_time.h"

namespace korvane {

WindReadResult parseWindFile(std::string_view bytes, RaceModel& model) {
    WindReadResult result;
    result.fileFound = true;
    model.windSamples.clear();
    model.maxTws = 0;
    const std::string text = decodeText(bytes);
    const auto lines = splitLines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const SplitFields f = splitFields(lines[i], ",");
        const auto when = parseTimestamp(f[0]);
        const auto tws = parseDouble(f[1]);
        const auto twd = parseDouble(f[2]);
        if (!when || !tws || !twd) {
            result.badLine = static_cast<int>(i) + 1;
            break;
        }
        WindSample s;
        s.timeSeconds = secondsBetween(model.race.start, *when);
        s.tws = *tws;
        // The direction table holds int32; a wild value must not overflow it.
        const double clamped = std::clamp(*twd, -2.0e9, 2.0e9);
        s.twdDegrees = static_cast<int>(roundHalfEvenToInt(clamped));
        if (s.tws > model.maxTws) model.maxTws = s.tws;
        model.windSamples.push_back(s);
    }
    return result;
}

WindReadResult readWindFile(const std::filesystem::path& dataRoot, RaceModel& model) {
    model.windSamples.clear();
    model.maxTws = 0;
    if (model.race.windFile.empty()) return {};
    WindReadResult refused;
    FileRead read;
    if (leavesFolder(model.race.windFile)) {
        refused.problem = "the name leaves the winddat folder; refused";
    } else if (const auto path =
                   resolveCaseInsensitive(dataRoot / "winddat", model.race.windFile)) {
        read = readRegularFile(*path, kMaxWindFileBytes);
        if (read.bytes && looksBinary(*read.bytes))
            refused.problem = "binary data, not a wind file";
        else if (!read.bytes && read.failure != ReadFailure::NotFound)
            refused.problem = describeReadFailure(read.failure, kMaxWindFileBytes);
    }
    if (!read.bytes || !refused.problem.empty()) {
        model.race.windFile.clear();
        return refused;
    }
    return parseWindFile(*read.bytes, model);
}

namespace {

// The race's base name as the race opening keeps it.
constexpr std::size_t kRaceBaseNameBytes = 50;
constexpr std::string_view kWindEnd = "_wind.csv";
// "a.c_wind.csv", then "a.c-2_wind.csv" ... when that is taken too.
constexpr int kAlternativeNames = 9;
constexpr std::uintmax_t kMaxRaceFileBytes = std::uintmax_t{1} << 20;

// A name as UTF-8 text that a WF line can hold: a comma would split it, a
// line break end it.
std::string fieldName(std::string_view rawName) {
    std::string name = decodeText(rawName);
    for (char& c : name)
        if (c == ',' || c == '\r' || c == '\n') c = '_';
    return name;
}

std::string inQuotes(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// The other race files in raceadmin/ whose WF line names `wind`.
std::vector<std::string> racesNaming(const std::filesystem::path& dataRoot, std::string_view wind,
                                     const std::filesystem::path& self) {
    std::vector<std::string> found;
    std::error_code ec;
    const std::string selfName = self.filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(dataRoot / "raceadmin", ec)) {
        const std::string name = entry.path().filename().string();
        if (name == selfName || name.size() < 4 ||
            !equalsIgnoreCaseAscii(name.substr(name.size() - 4), ".txt"))
            continue;
        const FileRead read = readRegularFile(entry.path(), kMaxRaceFileBytes);
        if (!read.bytes) continue;
        const std::string text = decodeText(*read.bytes);
        for (const std::string_view raw : splitLines(text)) {
            std::string_view line = trimBlanks(raw);
            const std::size_t comment = line.find("//");
            if (comment != std::string_view::npos) line = line.substr(0, comment);
            const SplitFields f = splitFields(line, ",");
            if (f.count() >= 2 && toUpperAscii(f[0]) == "WF" && equalsIgnoreCaseAscii(f[1], wind)) {
                found.push_back(name);
                break;
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

TextEncoding encodingOf(const std::filesystem::path& raceFile) {
    const FileRead read = readRegularFile(raceFile, kMaxRaceFileBytes);
    return !read.bytes || isValidUtf8(*read.bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

}  // namespace

std::string windFileNameFor(std::string_view raceFileName) {
    const std::string_view base = leadingWholeCharacters(raceFileName, kRaceBaseNameBytes);
    return fieldName(base.substr(0, base.find('.'))) + std::string(kWindEnd);
}

std::string windNameProblem(std::string_view name, TextEncoding raceFileEncoding) {
    if (name.find_first_of("\\/") != std::string_view::npos)
        return "the reader would take its \"\\\" or \"/\" for a folder";
    if (leavesFolder(name)) return "the reader would take it for a drive";
    if (trimBlanks(name) != name) return "the reader would drop its leading or trailing blanks";
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character";
    if (raceFileEncoding == TextEncoding::Cp932 &&
        decodeFrom(encodeText(name, TextEncoding::Cp932), TextEncoding::Cp932) != name)
        return "the race file's Japanese encoding cannot hold every character of it";
    return {};
}

WindFilePlan planWindFile(const std::filesystem::path& dataRoot,
                          const std::filesystem::path& raceFile, std::string_view currentWindFile) {
    WindFilePlan plan;
    const std::string raceName = raceFile.filename().string();
    plan.fileName = windFileNameFor(raceName);
    const TextEncoding encoding = encodingOf(raceFile);
    if (const std::string why = windNameProblem(plan.fileName, encoding); !why.empty()) {
        plan.refusal =
            "The wind data cannot be saved: the race file's WF line could not name "
            "its wind file " +
            inQuotes(plan.fileName) + " (" + why + ").\nRename the race file.";
        return plan;
    }
    const std::filesystem::path folder = dataRoot / "winddat";
    auto ours = [&](std::string_view name) {
        return !currentWindFile.empty() && equalsIgnoreCaseAscii(currentWindFile, name);
    };
    // Another race's: a file this race does not name, or one another race names.
    auto othersOf = [&](std::string_view name) {
        std::vector<std::string> others = racesNaming(dataRoot, name, raceFile);
        if (others.empty() && !ours(name) && existsCaseInsensitive(folder, name))
            others.push_back({});
        return others;
    };
    const std::vector<std::string> others = othersOf(plan.fileName);
    if (others.empty()) return plan;

    // The race's own name for its wind, free of every other race's.
    std::string stem = fieldName(raceName);
    if (const std::size_t dot = stem.rfind('.'); dot != std::string::npos) stem.resize(dot);
    for (int k = 1; k <= kAlternativeNames && plan.alternative.empty(); ++k) {
        const std::string name =
            stem + (k == 1 ? std::string() : "-" + std::to_string(k)) + std::string(kWindEnd);
        if (equalsIgnoreCaseAscii(name, plan.fileName) || !windNameProblem(name, encoding).empty())
            continue;
        // A name this race saved under before is taken again without a question.
        if (ours(name) && racesNaming(dataRoot, name, raceFile).empty()) {
            plan.fileName = name;
            return plan;
        }
        if (othersOf(name).empty()) plan.alternative = name;
    }
    plan.askToOverwrite = true;
    plan.question = "winddat/" + plan.fileName +
                    (others.front().empty()
                         ? " already exists and is not this race's wind file."
                         : " holds the wind data of the race " + inQuotes(others.front()) + ".") +
                    "\nOverwrite it with the wind drawn for this race?";
    plan.question += plan.alternative.empty()
                         ? "\n(No saves nothing.)"
                         : "\n(No saves it as winddat/" + plan.alternative + " instead.)";
    return plan;
}

std::string windFileBytes(std::vector<WindSample> samples, Timestamp raceStart) {
    std::stable_sort(samples.begin(), samples.end(), [](const WindSample& a, const WindSample& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    std::string out = "DATE TIME, TWS,TWD\r\n";
    for (const WindSample& s : samples) {
        out += formatTimestamp(raceStart + s.timeSeconds / 86400);
        out += ",0,";
        out += std::to_string(s.twdDegrees);
        out += "\r\n";
    }
    return out;
}

WindWriteResult writeWindFile(const std::filesystem::path& dataRoot, std::string_view windFileName,
                              const std::vector<WindSample>& samples, Timestamp raceStart) {
    WindWriteResult result;
    result.fileName = std::string(windFileName);
    const std::filesystem::path folder = dataRoot / "winddat";
    const std::filesystem::path named = folder / std::filesystem::path(result.fileName);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (result.fileName.empty() || windFileName.find_first_of("\\/") != std::string_view::npos ||
        !resolvedInside(dataRoot, folder)) {
        result.message = "The wind file would lie outside the data folder; nothing is written:\n" +
                         named.string();
        return result;
    }
    const std::filesystem::path path =
        resolveCaseInsensitive(folder, result.fileName).value_or(named);
    // A wind file linked to a file elsewhere is not followed out.
    const auto target = resolvedInside(dataRoot, path);
    if (!target) {
        result.message =
            "The wind file leads outside the data folder; nothing is written:\n" + path.string();
        return result;
    }
    result.ok = writeFileAtomically(*target, windFileBytes(samples, raceStart));
    if (!result.ok) result.message = "The wind file could not be written:\n" + path.string();
    return result;
}

}  // namespace korvane

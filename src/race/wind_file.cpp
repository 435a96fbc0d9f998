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

std::string windFileNameFor(std::string_view raceFileName) {
    std::string base(raceFileName.substr(0, raceFileName.find('.')));
    // The name goes into the WF line, where a comma would split it.
    for (char& c : base)
        if (c == ',' || c == '\r' || c == '\n') c = '_';
    return base + "_wind.csv";
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

WindWriteResult writeWindFile(const std::filesystem::path& dataRoot, std::string_view raceFileName,
                              const std::vector<WindSample>& samples, Timestamp raceStart) {
    WindWriteResult result;
    result.fileName = windFileNameFor(raceFileName);
    const std::filesystem::path folder = dataRoot / "winddat";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path path =
        resolveCaseInsensitive(folder, result.fileName).value_or(folder / result.fileName);
    result.ok = writeFileAtomically(path, windFileBytes(samples, raceStart));
    if (!result.ok) result.message = "The wind file could not be written:\n" + path.string();
    return result;
}

}  // namespace korvane

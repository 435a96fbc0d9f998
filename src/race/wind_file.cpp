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

}  // namespace korvane

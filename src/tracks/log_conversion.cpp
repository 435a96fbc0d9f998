#include "tracks/log_conversion.h"

#include <array>
#include <climits>
#include <utility>

#include "base/bounded_process.h"
#include "tracks/conversion_cache.h"
#include "tracks/gpx_reader.h"
#include "tracks/reader_table.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

struct ConvertedFormat {
    std::string_view extension;  // lower case, without the dot
    std::string_view gpsbabelName;
};

// Extensions of the reader table win over these.
constexpr std::array kConverted{
    ConvertedFormat{"fit", "garmin_fit"},   // Garmin watches and bike computers
    ConvertedFormat{"tcx", "gtrnctr"},      // Garmin Training Center, phone apps
    ConvertedFormat{"igc", "igc"},          // flight recorders
    ConvertedFormat{"sbp", "sbp"},          // Locosys GT-31 logger
    ConvertedFormat{"sbn", "sbn"},          // Locosys GT-31 SiRF log
    ConvertedFormat{"kml", "kml"},          // Google Earth
    ConvertedFormat{"geojson", "geojson"},  // web maps
};

// Every time a converted GPX holds: all its fixes, in whole seconds from
// the conversion epoch, so that one conversion serves any race.
ReadWindow everyFix() {
    ReadWindow w;
    w.startUtc = kConversionEpoch;
    w.raceDate = kConversionEpoch;
    w.preStartSeconds = INT32_MAX;
    w.timelineEnd = 1e18;
    w.kind = WindowKind::Standard;
    w.stopsAfterWindow = false;
    return w;
}

std::string firstLine(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string line(text.substr(0, end));
    return line.empty() ? std::string("no message") : line;
}

std::string secondsText(std::chrono::milliseconds d) {
    return std::to_string((d.count() + 999) / 1000) + " s";
}

// Runs the converter; the fixes, or the warning that explains their absence.
std::pair<std::vector<DatedFix>, std::string> convert(const fs::path& path, std::string_view format,
                                                      const ConversionOptions& options) {
    const ProcessResult run = runBoundedProcess(
        {options.program, "-i", std::string(format), "-f", path.string(), "-o", "gpx", "-F", "-"},
        {options.timeLimit, options.outputLimitBytes});
    using enum ProcessResult::Outcome;
    switch (run.outcome) {
        case NotFound:
            return {{},
                    options.program + " is needed to read this log and is not installed " +
                        "(on Debian or Ubuntu: apt-get install gpsbabel)"};
        case NotStarted:
            return {{}, options.program + " could not be started"};
        case TimedOut:
            return {{}, options.program + " was stopped after " + secondsText(options.timeLimit)};
        case OutputTooLarge:
            return {{},
                    options.program + " was stopped after writing more than " +
                        std::to_string(options.outputLimitBytes >> 20) + " MB"};
        case Crashed:
            return {{}, options.program + " crashed on this log"};
        case Finished:
            break;
    }
    if (run.exitStatus != 0)
        return {{}, options.program + " could not read this log: " + firstLine(run.errors)};
    std::vector<DatedFix> fixes;
    const std::vector<TrackPoint> points = readGpx(run.output, everyFix());
    fixes.reserve(points.size());
    for (const TrackPoint& p : points)
        fixes.push_back({static_cast<std::int64_t>(p.timeSeconds), p.latMinutes, p.lonMinutes});
    return {std::move(fixes), {}};
}

}  // namespace

ConversionOptions defaultConversionOptions() {
    ConversionOptions options;
    options.cacheDir = defaultConversionCacheDir();
    return options;
}

std::string_view converterFormatFor(std::string_view fileName) {
    if (readerForFile(fileName)) return {};
    for (const ConvertedFormat& f : kConverted)
        if (endsWithExtension(fileName, f.extension)) return f.gpsbabelName;
    return {};
}

LogContents readConvertedLog(const fs::path& path, std::string_view format,
                             const ReadWindow& window, const ConversionOptions& options) {
    LogContents contents;
    const ConversionCache cache(options.cacheDir);
    const auto key = ConversionCache::keyOf(path);
    std::optional<std::vector<DatedFix>> fixes;
    if (key) fixes = cache.find(*key);
    if (!fixes) {
        auto [converted, warning] = convert(path, format, options);
        if (!warning.empty()) {
            contents.warning = std::move(warning);
            return contents;
        }
        if (key) cache.store(*key, converted);
        fixes = std::move(converted);
    }
    // The race's window, as the GPX reader would have applied it.
    FixCollector out(window, fixes->size());
    for (const DatedFix& f : *fixes) {
        const std::int64_t s =
            out.secondsOf(kConversionEpoch + static_cast<double>(f.seconds) / kSecondsPerDay);
        if (out.offer(s, f.latMinutes, f.lonMinutes) == FixCollector::Verdict::Stop) break;
    }
    contents.fixes = out.take();
    return contents;
}

}  // namespace korvane

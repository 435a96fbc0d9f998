#include "tracks/log_conversion.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "base/bounded_process.h"
#include "base/file_io.h"
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

// The length of the escape sequence at text[i] (an ESC): a CSI sequence
// (colours, cursor moves) to its final byte, an OSC or other string to its
// terminator, else ESC and the one byte after it.
std::size_t escapeLength(std::string_view text, std::size_t i) {
    if (i + 1 >= text.size()) return 1;
    const char kind = text[i + 1];
    std::size_t j = i + 2;
    if (kind == '[') {
        while (j < text.size() && text[j] >= 0x20 && text[j] <= 0x3f) ++j;
        if (j < text.size() && text[j] >= 0x40 && text[j] <= 0x7e) ++j;
        return j - i;
    }
    if (kind == ']' || kind == 'P' || kind == '_' || kind == '^' || kind == 'X') {
        for (; j < text.size(); ++j) {
            if (text[j] == '\n') return j - i;
            if (text[j] == '\a') return j + 1 - i;
            if (text[j] == '\x1b' && j + 1 < text.size() && text[j + 1] == '\\') return j + 2 - i;
        }
        return text.size() - i;
    }
    return 2;
}

std::string secondsText(std::chrono::milliseconds d) {
    return std::to_string((d.count() + 999) / 1000) + " s";
}

// Runs the converter; the fixes, or the warning that explains their absence.
std::pair<std::vector<DatedFix>, std::string> convert(const fs::path& path, std::string_view format,
                                                      const ConversionOptions& options,
                                                      std::stop_token stop) {
    const ProcessResult run = runBoundedProcess(
        {options.program, "-i", std::string(format), "-f", path.string(), "-o", "gpx", "-F", "-"},
        {options.timeLimit, options.outputLimitBytes}, std::move(stop));
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
        case Cancelled:
            return {{}, options.program + " was stopped: the opening was cancelled"};
        case Finished:
            break;
    }
    if (run.exitStatus != 0)
        return {{}, options.program + " could not read this log: " + printableMessage(run.errors)};
    std::vector<DatedFix> fixes;
    const std::vector<TrackPoint> points = readGpx(run.output, everyFix());
    fixes.reserve(points.size());
    for (const TrackPoint& p : points)
        fixes.push_back({static_cast<std::int64_t>(p.timeSeconds), p.latMinutes, p.lonMinutes});
    return {std::move(fixes), {}};
}

}  // namespace

std::string printableMessage(std::string_view text) {
    constexpr std::size_t kMaxBytes = 300;
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < kMaxBytes;) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0x1b) {
            i += escapeLength(text, i);
            continue;
        }
        // U+0080 .. U+009F: the 8-bit controls, CSI among them.
        if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            i += 2;
            continue;
        }
        ++i;
        if (c < 0x20 || c == 0x7f) {
            // Line ends and tabs part words; the rest of the controls go.
            if ((c == '\n' || c == '\r' || c == '\t') && !out.empty() && out.back() != ' ')
                out += ' ';
            continue;
        }
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += static_cast<char>(c);
    }
    if (out.size() >= kMaxBytes) {
        // Cut on a character boundary.
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xc0) == 0x80)
            out.pop_back();
        if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xc0) out.pop_back();
        out += "...";
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out.empty() ? std::string("no message") : out;
}

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
                             const ReadWindow& window, const ConversionOptions& options,
                             std::stop_token stop) {
    LogContents contents;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > options.inputLimitBytes) {
        contents.warning = "log " +
                           describeReadFailure(ReadFailure::TooLarge, options.inputLimitBytes) +
                           ", not given to " + options.program;
        return contents;
    }
    const ConversionCache cache(options.cacheDir);
    const auto key = ConversionCache::keyOf(path);
    std::optional<std::vector<DatedFix>> fixes;
    if (key) fixes = cache.find(*key);
    if (!fixes) {
        auto [converted, warning] = convert(path, format, options, std::move(stop));
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

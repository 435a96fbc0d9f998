#include "coast/gshhg_shoreline.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/bounded_process.h"
#include "base/file_io.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// A cached file larger than any look-up could have written is not ours.
constexpr std::uintmax_t kCacheFileLimit = std::uintmax_t{64} << 20;
// Degrees of the area's larger side up to which each resolution is asked for.
constexpr double kFullUpToDegrees = 2;
constexpr double kIntermediateUpToDegrees = 10;
constexpr double kLowUpToDegrees = 40;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool parseNumber(std::string_view& s, double& value) {
    s = trimmed(s);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    return true;
}

std::string degrees(int minutes) {
    // Whole minutes are exact in six decimals of a degree.
    char text[32];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, minutes / 60.0, std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

std::string cacheName(const ShorelineBox& b, char resolution) {
    return std::string("gshhg-") + resolution + "-" + std::to_string(b.southMinutes) + "_" +
           std::to_string(b.northMinutes) + "_" + std::to_string(b.westMinutes) + "_" +
           std::to_string(b.eastMinutes) + ".txt";
}

std::string firstLine(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    return line.substr(0, 200);
}

}  // namespace

ShorelineOptions defaultShorelineOptions() {
    ShorelineOptions options;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        options.cacheDir = fs::path(cache.toStdString()) / "korvane" / "shoreline";
    return options;
}

ShorelineBox shorelineBoxFor(const LatLonBox& box) {
    const auto down = [](double m) { return static_cast<int>(std::floor(m)); };
    const auto up = [](double m) { return static_cast<int>(std::ceil(m)); };
    // Clamped to the globe, so that no box is handed to GMT that it refuses.
    ShorelineBox b;
    b.southMinutes = std::clamp(down(std::min(box.south, box.north)), -90 * 60, 90 * 60);
    b.northMinutes = std::clamp(up(std::max(box.south, box.north)), -90 * 60, 90 * 60);
    b.westMinutes = std::clamp(down(std::min(box.west, box.east)), -360 * 60, 360 * 60);
    b.eastMinutes = std::clamp(up(std::max(box.west, box.east)), -360 * 60, 360 * 60);
    if (b.eastMinutes - b.westMinutes > 360 * 60) b.eastMinutes = b.westMinutes + 360 * 60;
    return b;
}

char shorelineResolutionFor(const ShorelineBox& b) {
    const double side =
        std::max(b.northMinutes - b.southMinutes, b.eastMinutes - b.westMinutes) / 60.0;
    if (side <= kFullUpToDegrees) return 'f';
    if (side <= kIntermediateUpToDegrees) return 'i';
    if (side <= kLowUpToDegrees) return 'l';
    return 'c';
}

std::optional<Coastline> parseGmtSegments(std::string_view text) {
    Coastline coast;
    bool segmentOpen = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = trimmed(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '>') {
            segmentOpen = false;
            continue;
        }
        double lon = 0, lat = 0;
        if (!parseNumber(line, lon) || !parseNumber(line, lat) || !trimmed(line).empty())
            return std::nullopt;
        if (std::abs(lat) > 90 || std::abs(lon) > 720) return std::nullopt;
        // East of the date line GMT may count on past 180.
        if (lon > 180) lon -= 360;
        const GeoPoint p{lat * 60, lon * 60};
        if (segmentOpen) {
            coast.polylines.back().push_back(p);
        } else {
            coast.startPolyline(p);
            segmentOpen = true;
        }
    }
    return coast;
}

ShorelineLookup lookUpShoreline(const LatLonBox& area, const ShorelineOptions& options,
                                std::stop_token stop) {
    ShorelineLookup result;
    if (!options.enabled) return result;
    const ShorelineBox box = shorelineBoxFor(area);
    if (box.northMinutes <= box.southMinutes || box.eastMinutes <= box.westMinutes) return result;
    const char resolution = shorelineResolutionFor(box);
    const fs::path cached =
        options.cacheDir.empty() ? fs::path() : options.cacheDir / cacheName(box, resolution);
    if (!cached.empty()) {
        if (const FileRead read = readRegularFile(cached, kCacheFileLimit); read.bytes) {
            // A damaged cache file is asked of GMT again and replaced.
            if (auto coast = parseGmtSegments(*read.bytes)) {
                result.coastline = std::move(*coast);
                result.fromCache = true;
                return result;
            }
        }
    }

    // A path is taken as it is, a name looked up on the PATH.
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(options.program));
    if (program.isEmpty()) {
        result.warning = "shoreline: " + options.program +
                         " (GMT) is not installed, the map shows no coastline for this area";
        return result;
    }
    // GMT keeps its settings and history in its home folder: a scratch
    // folder of its own, gone with the look-up, so nothing lands in the
    // user's home or the race folder.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.warning = "shoreline: no scratch folder for GMT";
        return result;
    }
    const std::string home = scratch.path().toStdString();
    const std::vector<std::string> argv = {
        "env",
        "HOME=" + home,
        "GMT_USERDIR=" + home,
        "GMT_TMPDIR=" + home,
        program.toStdString(),
        "coast",
        "-R" + degrees(box.westMinutes) + "/" + degrees(box.eastMinutes) + "/" +
            degrees(box.southMinutes) + "/" + degrees(box.northMinutes),
        // "+": a coarser resolution where the one asked for is not installed.
        std::string("-D") + resolution + "+",
        "-W",
        "-M",
    };
    ProcessLimits limits;
    limits.time = options.timeLimit;
    limits.outputBytes = options.outputLimitBytes;
    const ProcessResult run = runBoundedProcess(argv, limits, stop);
    using Outcome = ProcessResult::Outcome;
    switch (run.outcome) {
        case Outcome::Finished:
            break;
        case Outcome::TimedOut:
            result.warning = "shoreline: GMT took too long and was stopped";
            return result;
        case Outcome::OutputTooLarge:
            result.warning = "shoreline: GMT wrote more than the area can hold and was stopped";
            return result;
        case Outcome::Cancelled:
            return result;
        default:
            result.warning = "shoreline: GMT could not be run";
            return result;
    }
    if (run.exitStatus != 0) {
        result.warning = "shoreline: GMT failed (status " + std::to_string(run.exitStatus) + ")" +
                         (run.errors.empty() ? std::string() : ": " + firstLine(run.errors));
        return result;
    }
    auto coast = parseGmtSegments(run.output);
    if (!coast) {
        result.warning = "shoreline: GMT wrote something that is no shoreline";
        return result;
    }
    result.coastline = std::move(*coast);
    if (!cached.empty()) {
        std::error_code ec;
        fs::create_directories(options.cacheDir, ec);
        // A cache that cannot be written costs the next opening a look-up.
        if (!ec) writeFileAtomically(cached, run.output);
    }
    return result;
}

}  // namespace korvane

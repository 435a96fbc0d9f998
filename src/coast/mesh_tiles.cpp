#include "coast/mesh_tiles.h"

#include <cmath>
#include <cstdint>

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

constexpr int kPairsPerRecord = 7;
constexpr std::size_t kPairWidth = 10;
constexpr std::size_t kValueWidth = 5;

// Indices far outside the globe cannot name a tile; they only arise from a
// broken area and would overflow the loops below.
constexpr double kIndexLimit = 100000;

std::optional<int> truncatedIndex(double minutes, double perIndex) {
    const double index = std::trunc(minutes / perIndex);
    if (!(std::fabs(index) < kIndexLimit)) return std::nullopt;
    return static_cast<int>(index);
}

// The column range [first, first + width) of a line, clipped to its end.
std::string_view columns(std::string_view line, std::size_t first, std::size_t width) {
    if (first >= line.size()) return {};
    return line.substr(first, width);
}

std::optional<double> fixedNumber(std::string_view line, std::size_t first) {
    return parseDouble(trimBlanks(columns(line, first, kValueWidth)));
}

bool insideCellWindow(const GeoPoint& corner, const LatLonBox& ext) {
    return ext.south - kMeshCellHeightMinutes < corner.latMinutes &&
           corner.latMinutes < ext.north && ext.west - kMeshCellWidthMinutes < corner.lonMinutes &&
           corner.lonMinutes < ext.east;
}

}  // namespace

std::string meshTileName(int latIndex, int lonIndex) {
    return std::to_string(latIndex) + std::to_string(lonIndex - 100);
}

std::vector<std::string> chooseCoastFiles(const CoastArea& area) {
    if (!area.known) return {};
    if (area.sizeMinutes() > kTileAreaLimitMinutes) return {kWholeCountryFile};
    const LatLonBox ext = area.extended();
    const auto south = truncatedIndex(ext.south, 40);
    const auto north = truncatedIndex(ext.north, 40);
    const auto west = truncatedIndex(ext.west, 60);
    const auto east = truncatedIndex(ext.east, 60);
    std::vector<std::string> names;
    if (!south || !north || !west || !east) return names;
    for (int lat = *south; lat <= *north; ++lat)
        for (int lon = *west; lon <= *east; ++lon) names.push_back(meshTileName(lat, lon));
    return names;
}

std::string coastBaseName(std::string_view name) {
    const std::string lower = toLowerAscii(name);
    const std::size_t at = lower.find(".cst");
    return std::string(name.substr(0, at));
}

std::optional<GeoPoint> meshCellCorner(std::string_view code) {
    if (code.size() != 6) return std::nullopt;
    for (char c : code)
        if (c < '0' || c > '9') return std::nullopt;
    auto digits = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i) v = v * 10 + (code[i] - '0');
        return v;
    };
    return GeoPoint{digits(0, 2) * 40.0 + digits(4, 1) * kMeshCellHeightMinutes,
                    (digits(2, 2) + 100) * 60.0 + digits(5, 1) * kMeshCellWidthMinutes};
}

void readMeshTile(std::string_view text, const LatLonBox& extended, DatumShift shift,
                  Coastline& out) {
    GeoPoint cell;
    bool cellUsed = false;
    std::int64_t announced = 0;  // nothing is read before the first "L"
    std::int64_t counter = 0;
    bool startPending = false;
    for (std::string_view line : splitLines(text)) {
        if (!line.empty() && line[0] == 'M') {
            const auto corner = meshCellCorner(columns(line, 2, 6));
            cellUsed = corner && insideCellWindow(*corner, extended);
            if (corner) cell = *corner;
            continue;
        }
        if (!line.empty() && line[0] == 'L') {
            announced = parseInteger(trimBlanks(columns(line, 49, 6))).value_or(1);
            counter = 0;
            startPending = true;
            continue;
        }
        if (!cellUsed) continue;
        for (int pair = 0; pair < kPairsPerRecord; ++pair) {
            const std::size_t first = static_cast<std::size_t>(pair) * kPairWidth;
            if (first >= line.size()) break;
            if (++counter > announced) break;
            const auto x = fixedNumber(line, first);
            const auto y = fixedNumber(line, first + kValueWidth);
            if (!x || !y) continue;
            const GeoPoint p{
                cell.latMinutes + *y * kMeshCellHeightMinutes / 10000 + shift.latMinutes,
                cell.lonMinutes + *x * kMeshCellWidthMinutes / 10000 + shift.lonMinutes};
            // The start goes to the first point actually read, so that an
            // unreadable first pair cannot join two polylines.
            if (startPending)
                out.startPolyline(p);
            else
                out.append(p);
            startPending = false;
        }
    }
}

void clipTilePoints(Coastline& coast, const LatLonBox& ext) {
    if (coast.pointCount() <= 10) return;
    auto inside = [&](const GeoPoint& p) {
        return ext.south - kMeshCellHeightMinutes < p.latMinutes && p.latMinutes < ext.north &&
               ext.west - kMeshCellWidthMinutes < p.lonMinutes && p.lonMinutes < ext.east;
    };
    Coastline kept;
    for (const auto& polyline : coast.polylines) {
        bool startNext = true;
        for (const GeoPoint& p : polyline) {
            if (!inside(p)) {
                startNext = true;
                continue;
            }
            if (startNext)
                kept.startPolyline(p);
            else
                kept.append(p);
            startNext = false;
        }
    }
    coast = std::move(kept);
}

}  // namespace korvane

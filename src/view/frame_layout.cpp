#include "view/frame_layout.h"

#include <algorithm>
#include <limits>

#include "race/angles.h"
#include "view/fit_view.h"

namespace korvane {

namespace {

// Boats whose checked state the two-boat measure may need.
constexpr std::size_t kFirstVisibleKept = 4;
// The boat symbol is never drawn shorter than this (pixels), nor, with
// "Big Boat", shorter than the enlarged length.
constexpr double kLeastSymbolPixels = 6;
constexpr double kEnlargedSymbolPixels = 14;
// The finish of a boat that did not finish: never reached.
constexpr double kNeverFinished = std::numeric_limits<double>::infinity();

// A finished boat past the end of its track: held at its last fix, still.
bool holdFinished(BoatNow& now, const std::vector<TrackPoint>& track, double time,
                  double finishSeconds, int twdTrue) {
    if (!(time >= finishSeconds) || track.empty() || time < track.back().timeSeconds) return false;
    const TrackPoint& last = track.back();
    now.hasPosition = true;
    now.pointIndex = static_cast<int>(track.size()) - 1;
    now.latMinutes = last.latMinutes;
    now.lonMinutes = last.lonMinutes;
    now.headingDegrees = last.courseDegrees;
    now.speedKnots = 0;
    now.windAngleDegrees = foldDegrees180(twdTrue - now.headingDegrees);
    return true;
}

// Places every boat at the time; returns how many boats count as present
// (before the start the frame is drawn even with none). Finished boats held
// at their finish are counted in `held` instead.
int locateBoats(FrameLayout& f, double time, const RaceModel& m, ViewState& state,
                const std::vector<std::optional<double>>* finishSeconds, int& held) {
    const int n = m.boatCount();
    state.boats.resize(static_cast<std::size_t>(n));
    f.visible.assign(static_cast<std::size_t>(n), false);
    for (int b = 0; b < n; ++b) {
        const auto slot = static_cast<std::size_t>(b);
        f.visible[slot] =
            f.display.boatChecked.size() > slot ? f.display.boatChecked[slot] : m.boats[b].visible;
    }
    int present = time <= 0 ? 1 : 0;
    for (int b = 0; b < n; ++b) {
        BoatNow& now = state.boats[static_cast<std::size_t>(b)];
        if (placeBoat(now, m.boats[b].track, time, state.wind.twdTrue)) {
            ++present;
        } else {
            const auto slot = static_cast<std::size_t>(b);
            const double finish = finishSeconds && finishSeconds->size() > slot
                                      ? (*finishSeconds)[slot].value_or(kNeverFinished)
                                      : kNeverFinished;
            if (!holdFinished(now, m.boats[b].track, time, finish, state.wind.twdTrue)) continue;
            ++held;
        }
        if (f.visible[static_cast<std::size_t>(b)]) {
            ++f.visibleCount;
            if (f.firstVisible.size() < kFirstVisibleKept) f.firstVisible.push_back(b);
        }
    }
    return present;
}

void fitToBoats(const FrameLayout& f, double time, const RaceModel& m, const RaceArea& area,
                const ViewState& state, Viewport& view) {
    FitInput in;
    in.raceBoatCount = m.boatCount();
    for (int b = 0; b < m.boatCount(); ++b) {
        const BoatNow& now = state.boats[static_cast<std::size_t>(b)];
        if (!now.hasPosition) continue;
        ++in.boatsWithPosition;
        if (f.visible[static_cast<std::size_t>(b)])
            in.checkedBoats.push_back({now.latMinutes, now.lonMinutes});
    }
    in.referencePoints = f.display.referencePoints;
    if (const std::optional<int> c = f.display.centredBoat;
        c && *c >= 0 && static_cast<std::size_t>(*c) < state.boats.size() &&
        state.boats[static_cast<std::size_t>(*c)].hasPosition)
        in.centreOn = GeoPoint{state.boats[static_cast<std::size_t>(*c)].latMinutes,
                               state.boats[static_cast<std::size_t>(*c)].lonMinutes};
    if (!m.lines.empty()) {
        in.startLine = &m.lines[0];
        in.finishLine = &m.lines[m.lines.count() - 1];
    }
    fitView(view, area, time, in);
}

void sizeSymbol(FrameLayout& f, const RaceModel& m, const Viewport& view) {
    double length = view.latScale * m.race.defaultBoatLength / kMetresPerMinuteLat;
    f.sizeNote = "Real Size";
    if (f.display.bigBoat && length < kEnlargedSymbolPixels) {
        length = kEnlargedSymbolPixels;
        f.sizeNote = "Size Enlarged";
    }
    f.symbolLength = std::max(length, kLeastSymbolPixels);
}

}  // namespace

FrameLayout layoutFrame(double time, const RaceModel& m, const RaceArea& area,
                        const DisplayState& display, ViewState& state, Viewport& view,
                        const std::vector<std::optional<double>>* finishSeconds) {
    FrameLayout f;
    f.display = display;
    if (f.display.showName) {
        f.display.showHiddenBoats = true;
        f.display.labelLevel = std::max(f.display.labelLevel, 1);
    }
    // The radio buttons and the ZOOM bar win over any earlier framing.
    static_cast<MapFraming&>(view) = f.display;
    view.windDirectionDegrees = m.race.windDirection;
    updateWind(state.wind, m.windSamples, m.race, time);
    int held = 0;
    const int present = locateBoats(f, time, m, state, finishSeconds, held);
    if (m.race.timelineLength > 0)
        f.timePointerTop =
            toPixel((m.race.timelineEnd - time) * f.display.timeBarHeight / m.race.timelineLength) +
            f.display.timeBarTop;
    f.boatsMoving = present >= 1;
    if (present < 1 && held < 1) return f;  // past the end: the replay stops instead
    f.drawn = true;
    if (f.visibleCount == 0) {
        f.recheckAllBoats = true;
        std::fill(f.visible.begin(), f.visible.end(), true);
    }
    fitToBoats(f, time, m, area, state, view);
    sizeSymbol(f, m, view);
    return f;
}

}  // namespace korvane

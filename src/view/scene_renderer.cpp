#include "view/scene_renderer.h"

#include <QPainter>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "view/boat_layer.h"
#include "view/colours.h"
#include "view/compass.h"
#include "view/course_overlay.h"
#include "view/fit_view.h"
#include "view/instruments.h"
#include "view/maneuver_layer.h"
#include "view/overview_map.h"
#include "view/time_text.h"
#include "view/wind_graph.h"

namespace korvane {

namespace {

constexpr double kRad = std::numbers::pi / 180;
constexpr int kWindGraphTop = 130;  // 8 pixels under the compass panel at (2, 2), 120 high

QFont fontOfPoints(int points) {
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    // The map was laid out for 96 dpi: a point is 4/3 pixel.
    f.setPixelSize(std::max(1, points * 4 / 3));
    return f;
}

// Per-frame values shared by the steps of one draw call.
struct Frame {
    const RaceModel& m;
    const RaceArea& area;
    DisplayState d;
    ViewState& state;
    Viewport& v;
    QPainter& p;
    double time;
    std::vector<bool> visible;  // by slot
    int count = 0;
    int visibleCount = 0;
    std::vector<int> firstVisible;
    std::uint32_t sea = 0;
    std::uint32_t grid = 0;
    bool windLoaded = false;
    TextStamps* text9 = nullptr;
};

void locateBoats(Frame& f) {
    const int n = f.m.boatCount();
    f.state.boats.resize(static_cast<std::size_t>(n));
    f.visible.assign(static_cast<std::size_t>(n), false);
    for (int b = 0; b < n; ++b) {
        const bool checked = f.d.boatChecked.size() > static_cast<std::size_t>(b)
                                 ? f.d.boatChecked[static_cast<std::size_t>(b)]
                                 : f.m.boats[b].visible;
        f.visible[static_cast<std::size_t>(b)] = checked;
    }
    f.count = f.time <= 0 ? 1 : 0;
    for (int b = 0; b < n; ++b) {
        BoatNow& now = f.state.boats[static_cast<std::size_t>(b)];
        const auto& track = f.m.boats[b].track;
        if (!placeBoat(now, track, f.time, f.state.wind.twdTrue)) continue;
        ++f.count;
        if (f.visible[static_cast<std::size_t>(b)]) {
            ++f.visibleCount;
            if (f.firstVisible.size() < 4) f.firstVisible.push_back(b);
        }
    }
}

void fit(Frame& f) {
    FitInput in;
    in.raceBoatCount = f.m.boatCount();
    for (int b = 0; b < f.m.boatCount(); ++b) {
        const BoatNow& now = f.state.boats[static_cast<std::size_t>(b)];
        if (!now.hasPosition) continue;
        ++in.boatsWithPosition;
        if (f.visible[static_cast<std::size_t>(b)])
            in.checkedBoats.push_back({now.latMinutes, now.lonMinutes});
    }
    in.referencePoints = f.d.referencePoints;
    if (!f.m.lines.empty()) {
        in.startLine = &f.m.lines[0];
        in.finishLine = &f.m.lines[f.m.lines.count() - 1];
    }
    fitView(f.v, f.area, f.time, in);
}

void drawWindArrowLayer(Frame& f) {
    WindArrow arrow;
    if (f.windLoaded) {
        arrow.angleDegrees = f.state.wind.smoothedTwd + f.m.race.magneticVariation;
        arrow.shift = f.state.wind.shift;
        arrow.smoothedTws = f.state.wind.smoothedTws;
    } else {
        arrow.angleDegrees = f.m.race.windDirection;
    }
    if (!f.v.northUp) arrow.angleDegrees -= f.m.race.windDirection;
    arrow.smoothedTwd = f.state.wind.smoothedTwd;
    drawWindArrow(f.p, f.v, arrow);
}

void drawOverviewInset(Frame& f, SceneResult& out, const SceneInput& input) {
    const int x0 = f.v.width - kOverviewSize;
    const bool northUp = f.v.northUp;
    if (f.d.overviewOn) {
        if (!f.state.overviewNorthUp || *f.state.overviewNorthUp != northUp) {
            f.state.overview =
                drawOverviewMap(f.m, f.area, input.coastline, input.landmarks, northUp);
            f.state.overviewNorthUp = northUp;
        }
        f.p.drawImage(x0, 0, f.state.overview);
    }
    out.overviewFrame = overviewFrameFor(f.v, f.area);
    if (f.d.timeBarHover && !f.d.overviewOn) return;
    // The inset's frame and dots stay inside the inset, as they would on
    // the window's overview panel, even when the view is wider than the race.
    if (f.d.overviewOn) f.p.setClipRect(QRect(x0, 0, kOverviewSize, kOverviewSize));
    // The frame shown is the previous tick's, as the window moves it after
    // the draw; a first frame has none before it and shows its own.
    const QRect& shownFrame =
        f.state.lastOverviewFrame.isNull() ? out.overviewFrame : f.state.lastOverviewFrame;
    if (f.d.overviewOn && !shownFrame.isNull()) {
        f.p.setPen(QPen(Qt::white, 1));
        f.p.setBrush(Qt::NoBrush);
        f.p.drawRect(shownFrame.translated(x0, 0));
    }
    f.state.lastOverviewFrame = out.overviewFrame;
    out.overviewDots.assign(static_cast<std::size_t>(f.m.boatCount()), QPoint());
    for (int b = 0; b < f.m.boatCount(); ++b) {
        const BoatNow& now = f.state.boats[static_cast<std::size_t>(b)];
        if (!now.hasPosition) continue;
        const QPoint q =
            overviewPoint(f.area, northUp, f.m.race.windDirection, now.latMinutes, now.lonMinutes);
        if (!f.d.timeBarHover) out.overviewDots[static_cast<std::size_t>(b)] = q;
        const bool finished = f.d.boatFinished.size() > static_cast<std::size_t>(b) &&
                              f.d.boatFinished[static_cast<std::size_t>(b)];
        if (f.d.overviewOn && !finished) {
            f.p.setPen(QPen(Qt::white, 1));
            f.p.setBrush(toQColor(f.m.boats[b].colour));
            f.p.drawEllipse(QRect(x0 + q.x() - 3, q.y() - 3, 5, 5));
        }
    }
    f.p.setClipping(false);
}

void drawTwoBoatMeasure(Frame& f) {
    const BoatNow& a = f.state.boats[static_cast<std::size_t>(f.firstVisible[0])];
    const BoatNow& b = f.state.boats[static_cast<std::size_t>(f.firstVisible[1])];
    const ScreenPoint pa = f.v.toScreen(a.latMinutes, a.lonMinutes);
    const ScreenPoint pb = f.v.toScreen(b.latMinutes, b.lonMinutes);
    const RangeBearing rb = rangeAndBearing(a.latMinutes, a.lonMinutes, b.latMinutes, b.lonMinutes,
                                            f.area.cosLat, f.m.race.magneticVariation);
    double e = rb.bearingDegrees + f.m.race.magneticVariation - f.state.wind.twdTrue;
    if (e > 180) e -= 180;
    if (e < 0) e += 180;
    const QString text =
        QString::number(roundHalfEvenToInt(rb.rangeMetres)) + QStringLiteral("m( ") +
        QString::number(std::abs(roundHalfEvenToInt(std::cos(e * kRad) * rb.rangeMetres))) +
        QStringLiteral("m)");
    f.p.setPen(QPen(Qt::yellow, 1));
    f.p.drawLine(QPoint(toPixel(pa.x), toPixel(pa.y)), QPoint(toPixel(pb.x), toPixel(pb.y)));
    f.p.setPen(Qt::white);
    const int mx = toPixel((pa.x + pb.x) / 2), my = toPixel((pa.y + pb.y) / 2);
    f.p.drawText(QPoint(mx - 35, my - 5 + f.p.fontMetrics().ascent()), text);
}

void drawOpaqueText(QPainter& p, QPoint topLeft, const QString& text, const QColor& ink,
                    const QColor& paper) {
    p.setPen(ink);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(paper);
    p.drawText(QPoint(topLeft.x(), topLeft.y() + p.fontMetrics().ascent()), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

void drawCompassLayer(Frame& f) {
    const double theta = f.v.northUp ? f.m.race.magneticVariation
                                     : f.m.race.magneticVariation - f.m.race.windDirection;
    if (f.state.compassRose.isNull()) f.state.compassRose = drawCompassRose();
    if (!f.state.compassAngle || *f.state.compassAngle != theta) {
        f.state.compassImage = buildCompassImage(f.state.compassRose, theta);
        f.state.compassAngle = theta;
    }
    f.p.drawImage(5, 5, f.state.compassImage);
    const QString twd = QStringLiteral(" %1 ").arg(f.state.wind.twd);
    drawOpaqueText(f.p, QPoint(57 - 3 * static_cast<int>(twd.size()), 51), twd, Qt::black,
                   QColor(0, 255, 128));
    const double a = (f.state.wind.twdTrue - (f.v.northUp ? 0 : f.m.race.windDirection)) * kRad;
    f.p.setPen(QPen(Qt::red, 1));
    f.p.setBrush(Qt::red);
    f.p.drawEllipse(QPoint(toPixel(55 + 45 * std::sin(a)), toPixel(55 - 45 * std::cos(a))), 4, 4);
}

void drawWindGraphLayer(Frame& f) {
    if (!f.state.windGraphBuilt) {
        f.state.windGraph = buildWindGraph(f.m.windSamples, f.m.race);
        f.state.windGraphBuilt = true;
    }
    f.p.drawImage(5, kWindGraphTop, f.state.windGraph);
    const double span = f.m.race.timelineEnd - f.m.race.timelineBegin;
    if (span > 0) {
        const int y = kWindGraphTop + toPixel(95 - (f.time - f.m.race.timelineBegin) / span * 90);
        f.p.setPen(QPen(Qt::red, 1));
        f.p.drawLine(5, y, 5 + kWindGraphWidth, y);
    }
    QString text = QStringLiteral("TWD:%1").arg(f.state.wind.twd);
    if (f.state.wind.tws > 0)
        text += QStringLiteral(" TWS:") + QString::fromStdString(displayNumber(f.state.wind.tws));
    f.text9->draw(f.p, QPoint(7, kWindGraphTop + 102), text, Qt::white, QColor(0, 128, 0));
}

void drawTimeReadout(Frame& f, TextStamps& big, TextStamps& small) {
    const QString text = QString::fromStdString(formatReplayTime(f.time));
    const QColor paper = f.time <= 0 ? QColor(Qt::red) : QColor(Qt::blue);
    if (f.time <= 20)
        big.draw(f.p, QPoint(toPixel(f.v.width / 2.0 - 50) + 5, 15), text, Qt::white, paper);
    else
        small.draw(f.p,
                   QPoint(f.v.width - 9 * static_cast<int>(text.size()) - 20 + 5, f.v.height - 25),
                   text, Qt::white, paper);
}

}  // namespace

void clearScene(QImage& scene, int seaLevel) {
    scene.fill(toQColor(seaColoursForLevel(seaLevel).sea));
}

SceneRenderer::SceneRenderer()
    : font9_(fontOfPoints(9)),
      text9_(font9_),
      text15_(fontOfPoints(15)),
      text50_(fontOfPoints(50)) {}

SceneResult SceneRenderer::draw(QImage& scene, double time, const SceneInput& input,
                                const DisplayState& display, ViewState& state, Viewport& view) {
    SceneResult out;
    view.width = scene.width();
    view.height = scene.height();
    if (scene.isNull() || !std::isfinite(time) || !input.model || !input.area) return out;
    const RaceModel& m = *input.model;
    const RaceArea& area = *input.area;

    QPainter p(&scene);
    p.setFont(font9_);
    Frame f{m,      area, display, state, view, p, time, {}, 0, 0, {}, 0, 0, !m.windSamples.empty(),
            &text9_};
    // Step 2: the radio buttons and "Show Name" win over any earlier state.
    view.northUp = display.northUp;
    view.windDirectionDegrees = m.race.windDirection;
    view.autoTrace = display.autoTrace;
    view.zoomDivisor = display.zoomDivisor;
    view.manualZoom = display.manualZoom;
    view.savedCentreLat = display.savedCentreLat;
    view.savedCentreLon = display.savedCentreLon;
    if (f.d.showName) {
        f.d.showHiddenBoats = true;
        f.d.labelLevel = std::max(f.d.labelLevel, 1);
    }
    const SeaColours colours = seaColoursForLevel(f.d.seaLevel);
    f.sea = colours.sea;
    f.grid = colours.grid;

    updateWind(state.wind, m.windSamples, m.race, time);
    locateBoats(f);
    if (m.race.timelineLength > 0)
        out.timePointerTop =
            toPixel((m.race.timelineEnd - time) * f.d.timeBarHeight / m.race.timelineLength) +
            f.d.timeBarTop;
    out.visibleCount = f.visibleCount;
    if (f.count < 1) return out;  // past the end: the replay stops instead
    out.drawn = true;
    if (f.visibleCount == 0) {
        out.recheckAllBoats = true;
        std::fill(f.visible.begin(), f.visible.end(), true);
    }
    fit(f);

    double L = view.latScale * m.race.defaultBoatLength / kMetresPerMinuteLat;
    out.sizeNote = "Real Size";
    if (f.d.bigBoat && L < 14) {
        L = 14;
        out.sizeNote = "Size Enlarged";
    }
    if (L < 6) L = 6;

    const double gridKm = gridSpacingKm(view.height, view.pixelsPerKm);
    if (view.autoTrace) {
        if (f.d.landmarksOn && f.d.isNight && input.landmarks)
            drawLandmarkLights(p, view, *input.landmarks,
                               {state.landmarkPulse, view.zoomDivisor, f.d.labelLevel});
        drawKilometreGrid(p, view, gridKm, f.grid);
        if (f.d.windArrowOn) drawWindArrowLayer(f);
    }
    drawOverviewInset(f, out, input);
    if (view.autoTrace) {
        if (input.coastline) {
            if (!state.coastlineBuilt) {
                state.coastline = CoastlineLayer(*input.coastline);
                state.coastlineBuilt = true;
            }
            p.setPen(QPen(Qt::white, 1));
            state.coastline.draw(p, view);
        }
        drawScaleBar(p, view, gridKm, f.d.pictureVisible);
        drawCourseOverlay(p, view, m,
                          {f.d.layLine, f.d.labelLevel, state.wind.twdTrue, f.sea,
                           m.race.defaultBoatLength, &text9_});
        if (f.d.layLine)
            drawManeuverLayer(p, view,
                              {input.maneuvers, &f.visible, time, &text9_, toQColor(f.sea)});
    }
    std::optional<std::pair<int, int>> measured;
    if (f.visibleCount == 2 && f.d.labelLevel > 2) {
        drawTwoBoatMeasure(f);
        measured = {f.firstVisible[0], f.firstVisible[1]};
    }
    drawClockFace(p, view, secondsOfDay(startSecondsOfDay(m.race.start), time), f.d.seaLevel);
    drawCompassLayer(f);
    if (f.windLoaded) drawWindGraphLayer(f);

    BoatLayerInput boats;
    boats.model = &m;
    boats.boats = &state.boats;
    boats.visible = &f.visible;
    boats.wind = &state.wind;
    boats.display = &f.d;
    boats.hull = hullShapeFor(m.race.defaultBoatLength);
    boats.timeSeconds = time;
    boats.symbolLength = L;
    boats.seaColour = f.sea;
    boats.visibleCount = f.visibleCount;
    boats.measured = measured;
    boats.labels = &text9_;
    out.boatsOnScreen = drawBoatLayer(p, view, boats);

    drawTimeReadout(f, text50_, text15_);
    if (f.d.smallScreen >= 1)
        out.playSpeedText = "Play SPD= " + displayNumber(f.d.replaySpeed) + "x";
    return out;
}

}  // namespace korvane

#include "view/scene_renderer.h"

#include <QPainter>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "view/boat_layer.h"
#include "view/chart_layer.h"
#include "view/colours.h"
#include "view/compass.h"
#include "view/course_overlay.h"
#include "view/frame_layout.h"
#include "view/instruments.h"
#include "view/maneuver_layer.h"
#include "view/overview_map.h"
#include "view/time_text.h"
#include "view/wind_graph.h"

namespace korvane {

namespace {

constexpr double kRad = std::numbers::pi / 180;

// Layout of the frame, in pixels. The compass panel sits at the top left;
// the wind graph 8 pixels under it (the panel is 120 high).
constexpr QPoint kCompassTopLeft(5, 5);
constexpr int kCompassCentre = 55;  // x and y of the rose's centre
constexpr int kWindDotOrbit = 45;   // the true-wind dot's distance from it
constexpr int kWindDotRadius = 4;
constexpr int kTwdLabelCentreX = 57;  // the TWD label is centred here...
constexpr int kTwdLabelHalfChar = 3;  // ...at half this per character
constexpr int kTwdLabelTop = 51;
constexpr int kWindGraphTimeBottom = 95;  // the time line runs up from here...
constexpr int kWindGraphTimeSpan = 90;    // ...over this height for the timeline
constexpr int kWindGraphLabelLeft = 7;
constexpr int kWindGraphLabelTop = kWindGraphTop + 102;
constexpr QPoint kMeasureTextOffset(-35, -5);  // from the middle of the measured line
constexpr int kOverviewDotSize = 5;
constexpr int kOverviewDotOffset = 3;  // from the dot's point to its corner
// The big time read-out shows until this race time, centred at the top;
// after it a small one sits at the bottom right.
constexpr double kBigTimeUntilSeconds = 20;
constexpr double kBigTimeHalfWidth = 50;
constexpr int kBigTimeTop = 15;
constexpr int kSmallTimeCharWidth = 9;
constexpr int kSmallTimeRightMargin = 20;
constexpr int kSmallTimeBottom = 25;
constexpr int kTimeReadoutShift = 5;

QFont fontOfPoints(int points) {
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    // The map was laid out for 96 dpi: a point is 4/3 pixel.
    f.setPixelSize(std::max(1, points * 4 / 3));
    return f;
}

// What the painting steps of one frame share; the layout is final.
struct Frame {
    const RaceModel& m;
    const RaceArea& area;
    const FrameLayout& layout;
    const DisplayState& d;
    ViewState& state;
    const Viewport& v;
    QPainter& p;
    double time;
    std::uint32_t sea = 0;
    std::uint32_t grid = 0;
    bool windLoaded = false;
    TextStamps* text9 = nullptr;
};

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

// The inset's frame and the boats' dots; the dots also go back to the
// window for its overview panel.
void drawOverviewMarks(Frame& f, SceneResult& out, int x0) {
    const bool northUp = f.v.northUp;
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
            f.p.drawEllipse(QRect(x0 + q.x() - kOverviewDotOffset, q.y() - kOverviewDotOffset,
                                  kOverviewDotSize, kOverviewDotSize));
        }
    }
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
    drawOverviewMarks(f, out, x0);
    f.p.setClipping(false);
}

void drawTwoBoatMeasure(Frame& f) {
    const BoatNow& a = f.state.boats[static_cast<std::size_t>(f.layout.firstVisible[0])];
    const BoatNow& b = f.state.boats[static_cast<std::size_t>(f.layout.firstVisible[1])];
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
    const QPoint middle(toPixel((pa.x + pb.x) / 2), toPixel((pa.y + pb.y) / 2));
    f.p.drawText(middle + kMeasureTextOffset + QPoint(0, f.p.fontMetrics().ascent()), text);
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
    f.p.drawImage(kCompassTopLeft, f.state.compassImage);
    const QString twd = QStringLiteral(" %1 ").arg(f.state.wind.twd);
    drawOpaqueText(
        f.p,
        QPoint(kTwdLabelCentreX - kTwdLabelHalfChar * static_cast<int>(twd.size()), kTwdLabelTop),
        twd, Qt::black, QColor(0, 255, 128));
    const double a = (f.state.wind.twdTrue - (f.v.northUp ? 0 : f.m.race.windDirection)) * kRad;
    f.p.setPen(QPen(Qt::red, 1));
    f.p.setBrush(Qt::red);
    f.p.drawEllipse(QPoint(toPixel(kCompassCentre + kWindDotOrbit * std::sin(a)),
                           toPixel(kCompassCentre - kWindDotOrbit * std::cos(a))),
                    kWindDotRadius, kWindDotRadius);
}

void drawWindGraphLayer(Frame& f) {
    if (!f.state.windGraphBuilt) {
        f.state.windGraph = buildWindGraph(f.m.windSamples, f.m.race);
        f.state.windGraphBuilt = true;
    }
    f.p.drawImage(kWindGraphLeft, kWindGraphTop, f.state.windGraph);
    const double span = f.m.race.timelineEnd - f.m.race.timelineBegin;
    if (span > 0) {
        const int y =
            kWindGraphTop + toPixel(kWindGraphTimeBottom -
                                    (f.time - f.m.race.timelineBegin) / span * kWindGraphTimeSpan);
        f.p.setPen(QPen(Qt::red, 1));
        f.p.drawLine(kWindGraphLeft, y, kWindGraphLeft + kWindGraphWidth, y);
    }
    QString text = QStringLiteral("TWD:%1").arg(f.state.wind.twd);
    if (f.state.wind.tws > 0)
        text += QStringLiteral(" TWS:") + QString::fromStdString(displayNumber(f.state.wind.tws));
    f.text9->draw(f.p, QPoint(kWindGraphLabelLeft, kWindGraphLabelTop), text, Qt::white,
                  QColor(0, 128, 0));
}

void drawTimeReadout(Frame& f, TextStamps& big, TextStamps& small) {
    const QString text = QString::fromStdString(formatReplayTime(f.time));
    const QColor paper = f.time <= 0 ? QColor(Qt::red) : QColor(Qt::blue);
    if (f.time <= kBigTimeUntilSeconds)
        big.draw(
            f.p,
            QPoint(toPixel(f.v.width / 2.0 - kBigTimeHalfWidth) + kTimeReadoutShift, kBigTimeTop),
            text, Qt::white, paper);
    else
        small.draw(f.p,
                   QPoint(f.v.width - kSmallTimeCharWidth * static_cast<int>(text.size()) -
                              kSmallTimeRightMargin + kTimeReadoutShift,
                          f.v.height - kSmallTimeBottom),
                   text, Qt::white, paper);
}

// The live map under the instruments: night lights, grid, wind arrow, the
// overview inset, coastline, scale bar, course and maneuvers.
void drawMapLayers(Frame& f, SceneResult& out, const SceneInput& input) {
    const double gridKm = gridSpacingKm(f.v.height, f.v.pixelsPerKm);
    // The static map has its chart drawn in already. A live map over the
    // chart comes uncleared (see SceneInput::chart): the chart lays the sea.
    if (f.v.autoTrace && input.chart) drawChartLayer(f.p, f.v, *input.chart, toQColor(f.sea));
    if (f.v.autoTrace) {
        if (f.d.landmarksOn && f.d.isNight && input.landmarks)
            drawLandmarkLights(f.p, f.v, *input.landmarks,
                               {f.state.landmarkPulse, f.v.zoomDivisor, f.d.labelLevel});
        drawKilometreGrid(f.p, f.v, gridKm, f.grid);
        if (f.d.windArrowOn) drawWindArrowLayer(f);
    }
    drawOverviewInset(f, out, input);
    if (!f.v.autoTrace) return;
    if (input.coastline) {
        if (!f.state.coastlineBuilt) {
            f.state.coastline = CoastlineLayer(*input.coastline);
            f.state.coastlineBuilt = true;
        }
        f.p.setPen(QPen(Qt::white, 1));
        f.state.coastline.draw(f.p, f.v);
    }
    drawScaleBar(f.p, f.v, gridKm, f.d.pictureVisible);
    drawCourseOverlay(f.p, f.v, f.m,
                      {f.d.layLine, f.d.labelLevel, f.state.wind.twdTrue, f.sea,
                       f.m.race.defaultBoatLength, f.text9});
    if (f.d.layLine)
        drawManeuverLayer(f.p, f.v,
                          {input.maneuvers, &f.layout.visible, f.time, f.text9, toQColor(f.sea)});
}

int drawBoats(Frame& f, std::optional<std::pair<int, int>> measured) {
    BoatLayerInput boats;
    boats.model = &f.m;
    boats.boats = &f.state.boats;
    boats.visible = &f.layout.visible;
    boats.wind = &f.state.wind;
    boats.display = &f.d;
    boats.hull = hullShapeFor(f.m.race.defaultBoatLength);
    boats.timeSeconds = f.time;
    boats.symbolLength = f.layout.symbolLength;
    boats.seaColour = f.sea;
    boats.visibleCount = f.layout.visibleCount;
    boats.measured = measured;
    boats.labels = f.text9;
    return drawBoatLayer(f.p, f.v, boats);
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
    // What a live map over the chart shows when nothing else is drawn.
    const auto bareSea = [&] {
        if (input.chart && display.autoTrace) clearScene(scene, display.seaLevel);
        return out;
    };
    if (scene.isNull() || !std::isfinite(time) || !input.model || !input.area) return bareSea();
    const RaceModel& m = *input.model;

    // The viewport and the boats first; the painting below only reads them.
    const FrameLayout layout =
        layoutFrame(time, m, *input.area, display, state, view, input.finishSeconds);
    out.boatsMoving = layout.boatsMoving;
    out.timePointerTop = layout.timePointerTop;
    out.visibleCount = layout.visibleCount;
    if (!layout.drawn) return bareSea();
    out.drawn = true;
    out.recheckAllBoats = layout.recheckAllBoats;
    out.sizeNote = layout.sizeNote;

    QPainter p(&scene);
    p.setFont(font9_);
    const SeaColours colours = seaColoursForLevel(layout.display.seaLevel);
    Frame f{m,    *input.area, layout,       layout.display,         state,  view, p,
            time, colours.sea, colours.grid, !m.windSamples.empty(), &text9_};
    drawMapLayers(f, out, input);
    std::optional<std::pair<int, int>> measured;
    if (layout.visibleCount == 2 && f.d.labelLevel > 2) {
        drawTwoBoatMeasure(f);
        measured = {layout.firstVisible[0], layout.firstVisible[1]};
    }
    drawClockFace(p, view, secondsOfDay(startSecondsOfDay(m.race.start), time), f.d.seaLevel);
    drawCompassLayer(f);
    if (f.windLoaded) drawWindGraphLayer(f);
    out.boatsOnScreen = drawBoats(f, measured);
    drawTimeReadout(f, text50_, text15_);
    if (input.chart) drawChartAttribution(p, view, *input.chart);
    if (f.d.smallScreen >= 1)
        out.playSpeedText = "Play SPD= " + displayNumber(f.d.replaySpeed) + "x";
    return out;
}

}  // namespace korvane

#include "view/maneuver_layer.h"

#include <cmath>
#include <numbers>

#include "base/local_plane.h"
#include "base/numbers.h"

namespace korvane {

namespace {

constexpr double kTickHalfPixels = 6;
constexpr double kProbeMetres = 100;

QColor inkOf(ManeuverKind kind) {
    switch (kind) {
        case ManeuverKind::Tack:
            return QColor(255, 255, 0);
        case ManeuverKind::Gybe:
            return QColor(0, 255, 255);
        case ManeuverKind::Rounding:
            return QColor(255, 160, 0);
        case ManeuverKind::Turn:
            break;
    }
    return QColor(255, 255, 255);
}

}  // namespace

int drawManeuverLayer(QPainter& p, const Viewport& view, const ManeuverLayerInput& in) {
    if (!in.maneuvers) return 0;
    int drawn = 0;
    // The projection shrinks longitude by cosLat: lonScale / latScale.
    const double metresPerMinuteLon =
        view.latScale > 0 ? kMetresPerMinuteLat * view.lonScale / view.latScale : 0;
    if (!(metresPerMinuteLon > 0)) return 0;
    for (std::size_t b = 0; b < in.maneuvers->size(); ++b) {
        if (in.visible && (b >= in.visible->size() || !(*in.visible)[b])) continue;
        for (const Maneuver& m : (*in.maneuvers)[b]) {
            if (m.timeSeconds > in.timeSeconds ||
                m.timeSeconds < in.timeSeconds - kManeuverTrailSeconds)
                continue;
            // The tick lies across the bisector of the turn; its screen
            // direction comes from a point ahead on the water, so it turns with
            // the map in wind-up mode.
            const double b = (m.courseInDegrees + m.turnDegrees / 2) * std::numbers::pi / 180;
            const ScreenPoint at = view.toScreen(m.latMinutes, m.lonMinutes);
            const ScreenPoint ahead =
                view.toScreen(m.latMinutes + kProbeMetres * std::cos(b) / kMetresPerMinuteLat,
                              m.lonMinutes + kProbeMetres * std::sin(b) / metresPerMinuteLon);
            const double dx = ahead.x - at.x, dy = ahead.y - at.y;
            const double len = std::hypot(dx, dy);
            if (!(len > 0)) continue;
            const double ux = -dy / len * kTickHalfPixels, uy = dx / len * kTickHalfPixels;
            p.setPen(QPen(inkOf(m.kind), 2));
            p.drawLine(QPointF(at.x - ux, at.y - uy), QPointF(at.x + ux, at.y + uy));
            if (in.labels && m.lossMetres) {
                const QString text =
                    QString::number(roundHalfEvenToInt(*m.lossMetres)) + QStringLiteral("m");
                const double tx = at.x + ux, ty = at.y + uy;
                const int left =
                    ux >= 0 ? toPixel(tx) + 2 : toPixel(tx) - 2 - in.labels->width(text);
                in.labels->draw(p, QPoint(left, toPixel(ty) - 6), text, inkOf(m.kind), in.paper);
            }
            ++drawn;
        }
    }
    return drawn;
}

}  // namespace korvane

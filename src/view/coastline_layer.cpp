#include "view/coastline_layer.h"

#include "view/colours.h"
#include "view/pixel_lines.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {
constexpr std::size_t kChunkPoints = 128;
}

CoastlineLayer::CoastlineLayer(const Coastline& coastline) {
    for (const auto& line : coastline.polylines) {
        if (line.size() < 2) continue;
        // Chunks share their end points so the drawn line stays continuous.
        for (std::size_t start = 0; start + 1 < line.size(); start += kChunkPoints) {
            const std::size_t end = std::min(line.size(), start + kChunkPoints + 1);
            Chunk c;
            c.points.assign(line.begin() + static_cast<std::ptrdiff_t>(start),
                            line.begin() + static_cast<std::ptrdiff_t>(end));
            for (const GeoPoint& p : c.points) c.box.include(p.latMinutes, p.lonMinutes);
            chunks_.push_back(std::move(c));
        }
    }
}

std::size_t CoastlineLayer::draw(QPainter& painter, const Viewport& v) const {
    if (chunks_.empty() || v.width <= 0 || v.height <= 0) return 0;
    std::size_t drawn = 0;
    // The pen of a coastline is always one pixel wide and solid, so a plain
    // image without painter transform takes the direct writes.
    auto* image = dynamic_cast<QImage*>(painter.device());
    const bool direct = image && acceptsPixelLines(*image) && !painter.transform().isScaling() &&
                        !painter.transform().isRotating() && painter.transform().dx() == 0 &&
                        painter.transform().dy() == 0 && !painter.hasClipping() &&
                        painter.pen().width() <= 1;
    const QRgb colour = painter.pen().color().rgb();
    const ScreenTransform project = v.transform();
    for (const Chunk& c : chunks_) {
        // The screen box of the chunk's turned box: exact enough to skip
        // whatever lies off the screen in either orientation.
        const ScreenPoint corners[4] = {
            project(c.box.minLat, c.box.minLon), project(c.box.minLat, c.box.maxLon),
            project(c.box.maxLat, c.box.minLon), project(c.box.maxLat, c.box.maxLon)};
        double minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
        for (const ScreenPoint& k : corners) {
            minX = std::min(minX, k.x);
            maxX = std::max(maxX, k.x);
            minY = std::min(minY, k.y);
            maxY = std::max(maxY, k.y);
        }
        if (maxX < -1 || minX > v.width + 1 || maxY < -1 || minY > v.height + 1) continue;
        scratch_.resize(0);
        QPoint last;
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            const ScreenPoint s = project(c.points[i].latMinutes, c.points[i].lonMinutes);
            const QPoint q(toPixel(s.x), toPixel(s.y));
            // Points within the same pixel add nothing but cost; the last
            // point is kept so the next chunk joins on.
            if (i > 0 && i + 1 < c.points.size() && std::abs(q.x() - last.x()) <= 1 &&
                std::abs(q.y() - last.y()) <= 1)
                continue;
            scratch_ << q;
            last = q;
        }
        if (scratch_.size() >= 2) {
            if (direct)
                drawPixelPolyline(*image, scratch_, colour);
            else
                painter.drawPolyline(scratch_);
        }
        drawn += static_cast<std::size_t>(scratch_.size());
    }
    return drawn;
}

void drawLandmarkLights(QPainter& p, const Viewport& v, const std::vector<LandmarkLight>& lights,
                        const LandmarkDrawing& how) {
    if (lights.empty()) return;
    const double halfLat = v.height / 2.0 / v.latScale + 5 * how.zoomDivisor;
    const double halfLon = v.width / 2.0 / v.lonScale + 6 * how.zoomDivisor;
    for (const LandmarkLight& l : lights) {
        const ScreenPoint s = v.toScreen(l.latMinutes, l.lonMinutes);
        const int x = toPixel(s.x);
        const int y = toPixel(s.y);
        const bool near = std::abs(l.latMinutes - v.centreLat) <= halfLat &&
                          std::abs(l.lonMinutes - v.centreLon) <= halfLon;
        if (near && l.lit) {
            const int r = toPixel(l.size / 5 * v.latScale * how.pulse);
            if (r > 0 && r < 100000) {
                p.setPen(QPen(toQColor(l.colour), 1));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(QPoint(x, y), r, r);
            }
        }
        if (x > 0 && x < v.width && y > 0 && y < v.height) {
            p.setPen(QPen(Qt::red, 1));
            p.setBrush(Qt::yellow);
            p.drawEllipse(QPoint(x, y), 3, 3);
            if (how.labelLevel > 1 && !l.name.empty()) {
                p.setPen(Qt::white);
                p.drawText(QPoint(x + 10, y - 5 + p.fontMetrics().ascent()),
                           QString::fromStdString(l.name));
            }
        }
    }
}

}  // namespace korvane

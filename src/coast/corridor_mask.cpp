#include "coast/corridor_mask.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr double kHalfSize = CorridorMask::kSize / 2.0;
// Far beyond the mask but safe to hand to the painter as int.
constexpr double kCoordinateLimit = 1e6;

int clampedRound(double v) {
    if (std::isnan(v)) return static_cast<int>(kCoordinateLimit);
    return static_cast<int>(std::nearbyint(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

CorridorMask::CorridorMask(const CoastArea& area, const std::vector<std::vector<GeoPoint>>& paths)
    : centreLat_(area.centreLat), centreLon_(area.centreLon), red_(kSize * kSize, 0) {
    halfWidthMinutes_ = std::max(area.sizeMinutes() * 0.1, 30.0);
    const double cosLat = area.cosLat > 0 ? area.cosLat : 1;
    // An area without extent (a named whole-country file for a race that
    // never moved) gets a mask just wide enough for its corridor.
    const double latSpan = area.latSpan > 0 ? area.latSpan : 2 * halfWidthMinutes_;
    const double lonSpan = area.lonSpan > 0 ? area.lonSpan : 2 * halfWidthMinutes_ / cosLat;
    if (lonSpan * cosLat >= latSpan) {
        xScale_ = kHalfSize / lonSpan;
        yScale_ = xScale_ / cosLat;
    } else {
        yScale_ = kHalfSize / latSpan;
        xScale_ = yScale_ * cosLat;
    }
    const double width = std::trunc(halfWidthMinutes_ * yScale_ * 2);
    penWidth_ = static_cast<int>(std::clamp(width, 1.0, 4.0 * kSize));

    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    draw(image, paths);
    for (int y = 0; y < kSize; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const QRgb c = row[x];
            red_[static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x)] =
                qRed(c) == 255 && qGreen(c) == 0 && qBlue(c) == 0;
        }
    }
}

void CorridorMask::draw(QImage& image, const std::vector<std::vector<GeoPoint>>& paths) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(255, 0, 0), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    auto pixel = [&](const GeoPoint& p) {
        return QPoint(clampedRound((p.lonMinutes - centreLon_) * xScale_ + kHalfSize),
                      clampedRound(kHalfSize - (p.latMinutes - centreLat_) * yScale_));
    };
    for (const auto& path : paths) {
        if (path.empty()) continue;
        QPolygon line;
        for (const GeoPoint& p : path) line << pixel(p);
        if (line.size() == 1)
            painter.drawPoint(line.front());
        else
            painter.drawPolyline(line);
    }
}

bool CorridorMask::pixelOf(double latMinutes, double lonMinutes, int& x, int& y) const {
    const double fx = std::nearbyint((lonMinutes - centreLon_) * xScale_ + kHalfSize);
    const double fy = std::nearbyint(kHalfSize - (latMinutes - centreLat_) * yScale_);
    if (!(fx >= 0 && fx < kSize && fy >= 0 && fy < kSize)) return false;
    x = static_cast<int>(fx);
    y = static_cast<int>(fy);
    return true;
}

}  // namespace korvane

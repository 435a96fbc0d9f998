// One-pixel solid lines written straight into a 32-bit image, for the long
// polylines (the coastline) where QPainter's general rasteriser costs
// several times more per point than the pixels themselves.
#pragma once

#include <QImage>
#include <QPolygon>

namespace korvane {

// True when `image` can take the direct writes (32-bit RGB formats).
bool acceptsPixelLines(const QImage& image);

// Draws the polyline clipped to the image; nothing outside it is touched.
void drawPixelPolyline(QImage& image, const QPolygon& points, QRgb colour);

}  // namespace korvane

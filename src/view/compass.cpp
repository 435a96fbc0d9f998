#include "view/compass.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace korvane {

QImage drawCompassRose() {
    QImage rose(kCompassRoseSize, kCompassRoseSize, QImage::Format_RGB32);
    rose.fill(Qt::black);
    QPainter p(&rose);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double c = kCompassRoseSize / 2.0;
    p.setPen(QPen(QColor(220, 220, 220), 1));
    p.drawEllipse(QPointF(c, c), 40, 40);
    for (int deg = 0; deg < 360; deg += 10) {
        const double a = deg * std::numbers::pi / 180;
        const double inner = deg % 30 == 0 ? 32 : 36;
        p.drawLine(QPointF(c + inner * std::sin(a), c - inner * std::cos(a)),
                   QPointF(c + 40 * std::sin(a), c - 40 * std::cos(a)));
    }
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    const char* names[4] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        const double a = i * std::numbers::pi / 2;
        const QPointF centre(c + 24 * std::sin(a), c - 24 * std::cos(a));
        p.setPen(i == 0 ? QColor(255, 64, 64) : QColor(230, 230, 230));
        p.drawText(QRectF(centre.x() - 8, centre.y() - 8, 16, 16), Qt::AlignCenter,
                   QString::fromLatin1(names[i]));
    }
    return rose;
}

QImage buildCompassImage(const QImage& rose, double theta) {
    QImage out(kCompassWidth, kCompassHeight, QImage::Format_RGB32);
    out.fill(Qt::black);
    const QImage src = rose.convertToFormat(QImage::Format_RGB32);
    const double c = (src.width() - 1) / 2.0;
    if (theta == 0) {
        QPainter p(&out);
        p.drawImage(50 - src.width() / 2, 50 - src.height() / 2, src);
    } else {
        const double a = theta * std::numbers::pi / 180;
        const double ca = std::cos(a);
        const double sa = std::sin(a);
        for (int y = 0; y < src.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            for (int x = 0; x < src.width(); ++x) {
                const double dx = x - c;
                const double dy = y - c;
                if (dx * dx + dy * dy > 41.5 * 41.5) continue;
                const int tx = static_cast<int>(std::nearbyint(dx * ca - dy * sa + 50));
                const int ty = static_cast<int>(std::nearbyint(dx * sa + dy * ca + 50));
                // The neighbour to the right as well, so the turned rose has no holes.
                for (int k = 0; k < 2; ++k)
                    if (tx + k >= 0 && tx + k < out.width() && ty >= 0 && ty < out.height())
                        out.setPixel(tx + k, ty, line[x]);
            }
        }
    }
    QPainter p(&out);
    QFont font;
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPoint(5, 103 + QFontMetrics(font).ascent()), QStringLiteral("korvane"));
    return out;
}

}  // namespace korvane

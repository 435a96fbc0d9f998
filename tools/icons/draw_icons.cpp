// Draws the icons the KML files point to: a boat arrow turned to each heading
// of 0, 10 ... 350 degrees ("ar0.png" ... "ar350.png") and a buoy
// ("buoi.png"). The viewer shows the icons as drawn (north up), so the turn
// is in the picture itself.
//
//   korvane-icons OUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kIconPixels = 32;

QImage blankIcon() {
    QImage image(kIconPixels, kIconPixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A hull seen from above, bow up, centred on the origin: a pointed bow, a
// beamy middle and a square transom, long enough to read its heading at a
// glance from a few pixels.
QPainterPath hull() {
    QPainterPath path;
    path.moveTo(0, -14);
    path.cubicTo(6, -7, 7, 2, 5, 12);
    path.lineTo(-5, 12);
    path.cubicTo(-7, 2, -6, -7, 0, -14);
    path.closeSubpath();
    return path;
}

QImage boatIcon(int headingDegrees) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kIconPixels / 2.0, kIconPixels / 2.0);
    p.rotate(headingDegrees);  // clockwise on screen, as headings turn
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(255, 220, 0));
    p.drawPath(hull());
    // The bow half darker, so the direction reads even where the outline
    // blurs against the sea.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 0));
    p.drawPolygon(QPolygonF({QPointF(0, -12), QPointF(3.5, -4), QPointF(-3.5, -4)}));
    return image;
}

QImage buoyIcon() {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(255, 110, 0));
    p.drawEllipse(QPointF(kIconPixels / 2.0, kIconPixels / 2.0), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(kIconPixels / 2.0 - 8, kIconPixels / 2.0 - 2, 16, 4));
    return image;
}

bool save(const QImage& image, const QDir& dir, const QString& name) {
    if (image.save(dir.filePath(name), "PNG")) return true;
    std::fprintf(stderr, "korvane-icons: cannot write %s\n", qPrintable(dir.filePath(name)));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvane-icons OUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "korvane-icons: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = save(buoyIcon(), dir, QStringLiteral("buoi.png"));
    for (int heading = 0; heading < 360; heading += 10)
        ok = save(boatIcon(heading), dir, QStringLiteral("ar%1.png").arg(heading)) && ok;
    return ok ? 0 : 1;
}

#include "analysis/page_text.h"

#include <QFontMetrics>
#include <algorithm>

namespace korvane {

QFont pageFont(int points) {
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(std::max(1, points * 4 / 3));
    return f;
}

void drawPageText(QPainter& p, QPoint topLeft, const QString& text, QColor ink,
                  std::optional<QColor> paper) {
    const QFontMetrics fm = p.fontMetrics();
    if (paper) p.fillRect(QRect(topLeft, QSize(fm.horizontalAdvance(text), fm.height())), *paper);
    p.setPen(ink);
    p.drawText(QPoint(topLeft.x(), topLeft.y() + fm.ascent()), text);
}

int pageTextWidth(const QPainter& p, const QString& text) {
    return p.fontMetrics().horizontalAdvance(text);
}

}  // namespace korvane

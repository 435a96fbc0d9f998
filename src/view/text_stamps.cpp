#include "view/text_stamps.h"

#include <QFontMetrics>

namespace korvane {

TextStamps::TextStamps(QFont font, int maxEntries)
    : font_(std::move(font)), maxEntries_(maxEntries) {
    const QFontMetrics fm(font_);
    ascent_ = fm.ascent();
    height_ = fm.height();
}

int TextStamps::width(const QString& text) {
    auto it = widths_.constFind(text);
    if (it != widths_.constEnd()) return *it;
    if (widths_.size() >= maxEntries_) widths_.clear();
    const int w = QFontMetrics(font_).horizontalAdvance(text);
    widths_.insert(text, w);
    return w;
}

const QImage& TextStamps::stamp(const QString& text, QColor ink, QColor paper) {
    QString key = text;
    key += QChar(0);
    key += QString::number(ink.rgb(), 16);
    key += QChar(0);
    key += QString::number(paper.rgb(), 16);
    auto it = stamps_.constFind(key);
    if (it != stamps_.constEnd()) return *it;
    if (stamps_.size() >= maxEntries_) stamps_.clear();
    QImage img(std::max(1, width(text)), std::max(1, height_), QImage::Format_RGB32);
    img.fill(paper);
    {
        QPainter p(&img);
        p.setFont(font_);
        p.setPen(ink);
        p.drawText(QPoint(0, ascent_), text);
    }
    return *stamps_.insert(key, std::move(img));
}

void TextStamps::draw(QPainter& painter, QPoint topLeft, const QString& text, QColor ink,
                      QColor paper) {
    if (text.isEmpty()) return;
    painter.drawImage(topLeft, stamp(text, ink, paper));
}

}  // namespace korvane

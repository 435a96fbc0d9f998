// Texts drawn on an opaque paper (labels, read-outs), rendered once into
// small images and stamped from then on: a frame of 81 labels costs blits
// instead of glyph layout. The cache empties itself when it grows large.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>

namespace korvane {

class TextStamps {
  public:
    explicit TextStamps(QFont font, int maxEntries = 4000);

    // Width in pixels of the text in this font.
    int width(const QString& text);
    // Draws `text` with its cell's top left corner at `topLeft`.
    void draw(QPainter& painter, QPoint topLeft, const QString& text, QColor ink, QColor paper);
    int size() const { return static_cast<int>(stamps_.size()); }
    // The height of a text cell.
    int height() const { return height_; }

  private:
    const QImage& stamp(const QString& text, QColor ink, QColor paper);

    QFont font_;
    int ascent_ = 0;
    int height_ = 0;
    int maxEntries_;
    QHash<QString, QImage> stamps_;
    QHash<QString, int> widths_;
};

}  // namespace korvane

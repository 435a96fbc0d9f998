// Text on the page bitmaps: one font for the labels, one for the larger
// highlight captions, and text on an opaque paper where a label must stay
// readable over grid and traces.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <optional>

namespace korvane {

// The pages are laid out for 96 dpi: a point is 4/3 pixel.
QFont pageFont(int points);
// Draws `text` with its cell's top left corner at `topLeft`.
void drawPageText(QPainter& p, QPoint topLeft, const QString& text, QColor ink,
                  std::optional<QColor> paper = std::nullopt);
int pageTextWidth(const QPainter& p, const QString& text);

}  // namespace korvane

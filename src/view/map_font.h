// The font of the map's texts at a point size; the map was laid out for
// 96 dpi, where a point is 4/3 pixel.
#pragma once

#include <QFont>
#include <algorithm>

namespace korvane {

inline QFont mapFontOfPoints(int points) {
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(std::max(1, points * 4 / 3));
    return f;
}

}  // namespace korvane

// The hidden diagnostics box (Ctrl+V): frames drawn in the last second, the
// replay time and speed, and how long the last frame took to draw.
#pragma once

#include <QLabel>

namespace korvane {

class DiagnosticsBox : public QLabel {
    Q_OBJECT
  public:
    explicit DiagnosticsBox(QWidget* parent = nullptr);
    void showFigures(int framesLastSecond, double timeSeconds, int speed, double drawMs);
};

}  // namespace korvane

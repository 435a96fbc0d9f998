#include "app/diagnostics_box.h"

namespace korvane {

DiagnosticsBox::DiagnosticsBox(QWidget* parent) : QLabel(parent) {
    setStyleSheet(QStringLiteral("background: black; color: lime; padding: 4px;"));
    setFont(QFont(QStringLiteral("monospace"), 9));
    hide();
}

void DiagnosticsBox::showFigures(int framesLastSecond, double timeSeconds, int speed,
                                 double drawMs) {
    setText(QStringLiteral("fps %1\ntime %2 s\nspeed %3X\ndraw %4 ms")
                .arg(framesLastSecond)
                .arg(timeSeconds, 0, 'f', 1)
                .arg(speed)
                .arg(drawMs, 0, 'f', 2));
    adjustSize();
}

}  // namespace korvane

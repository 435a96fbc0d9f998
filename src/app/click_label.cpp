#include "app/click_label.h"

#include <QMouseEvent>

namespace korvane {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

}  // namespace korvane

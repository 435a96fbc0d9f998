#include "app/finish_panel.h"

#include <QPainter>

namespace korvane {

FinishPanel::FinishPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void FinishPanel::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void FinishPanel::showRows(int rows) {
    rows_ = std::max(0, rows);
    if (rows_ == 0 || picture_.isNull()) {
        hide();
        return;
    }
    setFixedSize(picture_.width(), kRowHeight * rows_ + kMargin);
    update();
}

void FinishPanel::showWhole() {
    if (picture_.isNull()) return;
    setFixedSize(picture_.size());
    update();
}

void FinishPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawImage(0, 0, picture_);
}

}  // namespace korvane

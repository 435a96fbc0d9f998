#include "app/finish_panel.h"

#include <QPainter>

namespace korvane {

namespace {
constexpr int kHeaderHeight = 20;
}

FinishPanel::FinishPanel(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeaderHeight);
    hide();
}

void FinishPanel::addRow(FinishRow row) {
    rows_.push_back(std::move(row));
    setFixedSize(kWidth, kRowHeight * rowCount() + kHeaderHeight);
    update();
}

void FinishPanel::clearRows() {
    rows_.clear();
    setFixedSize(kWidth, kHeaderHeight);
    hide();
}

void FinishPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(135, 206, 235));
    p.setPen(Qt::black);
    p.drawText(QRect(4, 0, width() - 8, kHeaderHeight), Qt::AlignVCenter, QStringLiteral("FINISH"));
    int y = kHeaderHeight;
    int rank = 1;
    for (const FinishRow& r : rows_) {
        p.fillRect(QRect(4, y + 3, 9, 9), r.colour);
        p.drawText(QRect(16, y, 24, kRowHeight), Qt::AlignVCenter, QString::number(rank++));
        p.drawText(QRect(40, y, 110, kRowHeight), Qt::AlignVCenter, r.name);
        p.drawText(QRect(150, y, 56, kRowHeight), Qt::AlignVCenter | Qt::AlignRight, r.elapsed);
        y += kRowHeight;
    }
}

}  // namespace korvane

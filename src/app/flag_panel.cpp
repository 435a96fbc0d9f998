#include "app/flag_panel.h"

#include <QPainter>

namespace korvane {

namespace {

// Flag P of the signal code: blue with a white square in the middle.
QPixmap preparatoryFlag() {
    QPixmap p(FlagPanel::kFlagWidth, FlagPanel::kFlagHeight);
    p.fill(QColor(0, 40, 160));
    QPainter g(&p);
    const QRect inner(p.width() / 3, p.height() / 3, p.width() / 3, p.height() / 3);
    g.fillRect(inner, Qt::white);
    g.setPen(Qt::black);
    g.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return p;
}

QPixmap ourMark() {
    QPixmap p(FlagPanel::kFlagWidth, FlagPanel::kFlagHeight);
    p.fill(QColor(0, 0, 64));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    // A sail over a hull.
    g.drawPolygon(QPolygon({{36, 6}, {36, 34}, {16, 34}}));
    g.setBrush(QColor(255, 200, 0));
    g.drawPolygon(QPolygon({{12, 37}, {60, 37}, {54, 42}, {18, 42}}));
    return p;
}

}  // namespace

FlagPanel::FlagPanel(QWidget* parent) : QWidget(parent) {
    mark_ = new QLabel(this);
    mark_->setPixmap(ourMark());
    mark_->setGeometry(0, 0, kFlagWidth, kFlagHeight);
    preparatory_ = new QLabel(this);
    preparatory_->setPixmap(preparatoryFlag());
    preparatory_->setGeometry(kFlagWidth + 2, 0, kFlagWidth, kFlagHeight);
    preparatory_->hide();
    setFixedSize(2 * kFlagWidth + 2, kFlagHeight);
}

void FlagPanel::showFlag(StartFlag flag) {
    setVisible(flag != StartFlag::Hidden);
    preparatory_->setVisible(flag == StartFlag::Preparatory);
}

}  // namespace korvane

#include "app/ct_mode_panel.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

namespace korvane {

CtModePanel::CtModePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    elapsedButton_ = new QRadioButton(QStringLiteral("ET mode"), this);
    elapsedButton_->setToolTip(QStringLiteral("Elapse Time Mode"));
    correctedButton_ = new QRadioButton(QStringLiteral("CT mode"), this);
    correctedButton_->setToolTip(QStringLiteral("Corrected Time Mode"));
    correctedButton_->setChecked(true);
    elapsedButton_->setObjectName(QStringLiteral("elapsedButton"));
    correctedButton_->setObjectName(QStringLiteral("correctedButton"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(4, 2, 4, 2);
    l->addWidget(elapsedButton_);
    l->addWidget(correctedButton_);
    // clicked, not toggled: only the user's choice reopens the race.
    connect(elapsedButton_, &QRadioButton::clicked, this, [this] { emit modePicked(false); });
    connect(correctedButton_, &QRadioButton::clicked, this, [this] { emit modePicked(true); });
    adjustSize();
}

void CtModePanel::showMode(bool corrected) {
    const QSignalBlocker a(elapsedButton_), b(correctedButton_);
    (corrected ? correctedButton_ : elapsedButton_)->setChecked(true);
}

}  // namespace korvane

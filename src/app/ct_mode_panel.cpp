#include "app/ct_mode_panel.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

namespace korvane {

CtModePanel::CtModePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    elapsedButton = new QRadioButton(QStringLiteral("ET mode"), this);
    elapsedButton->setToolTip(QStringLiteral("Elapse Time Mode"));
    correctedButton = new QRadioButton(QStringLiteral("CT mode"), this);
    correctedButton->setToolTip(QStringLiteral("Corrected Time Mode"));
    correctedButton->setChecked(true);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(4, 2, 4, 2);
    l->addWidget(elapsedButton);
    l->addWidget(correctedButton);
    // clicked, not toggled: only the user's choice reopens the race.
    connect(elapsedButton, &QRadioButton::clicked, this, [this] { emit modePicked(false); });
    connect(correctedButton, &QRadioButton::clicked, this, [this] { emit modePicked(true); });
    adjustSize();
}

void CtModePanel::showMode(bool corrected) {
    const QSignalBlocker a(elapsedButton), b(correctedButton);
    (corrected ? correctedButton : elapsedButton)->setChecked(true);
}

}  // namespace korvane

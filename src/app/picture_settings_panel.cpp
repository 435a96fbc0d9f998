#include "app/picture_settings_panel.h"

#include <QGridLayout>

#include "pictures/picture_box.h"

namespace korvane {

PictureSettingsPanel::PictureSettingsPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    showBox = new QCheckBox(QStringLiteral("Show Pictures for "), this);
    showBox->setChecked(true);
    holdSeconds = new QSpinBox(this);
    holdSeconds->setRange(2, 10);
    holdSeconds->setValue(kDefaultHoldSeconds);
    holdButton = new QPushButton(QStringLiteral("stop"), this);
    holdButton->setEnabled(false);
    sizePixels = new QSpinBox(this);
    sizePixels->setRange(kMinPictureSize, kMaxPictureSize);
    sizePixels->setSingleStep(kPictureSizeStep);
    sizePixels->setValue(kMaxPictureSize);
    correctionSeconds = new QSpinBox(this);
    correctionSeconds->setRange(-kMaxCorrectionSeconds, kMaxCorrectionSeconds);
    correctionSeconds->setValue(0);

    auto* g = new QGridLayout(this);
    g->setContentsMargins(4, 2, 4, 2);
    g->addWidget(showBox, 0, 0);
    g->addWidget(holdSeconds, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("sec"), this), 0, 2);
    g->addWidget(holdButton, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Size"), this), 1, 0, Qt::AlignRight);
    g->addWidget(sizePixels, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("カメラの時刻補正"), this), 2, 0, Qt::AlignRight);
    g->addWidget(correctionSeconds, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("秒"), this), 2, 2);
    adjustSize();
}

}  // namespace korvane

#include "app/picture_settings_panel.h"

#include <QSignalBlocker>

#include <QGridLayout>

#include "pictures/picture_box.h"

namespace korvane {

PictureSettingsPanel::PictureSettingsPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    showBox_ = new QCheckBox(QStringLiteral("Show Pictures for "), this);
    showBox_->setChecked(true);
    holdSeconds_ = new QSpinBox(this);
    holdSeconds_->setRange(2, 10);
    holdSeconds_->setValue(kDefaultHoldSeconds);
    holdButton_ = new QPushButton(QStringLiteral("stop"), this);
    holdButton_->setEnabled(false);
    sizePixels_ = new QSpinBox(this);
    sizePixels_->setRange(kMinPictureSize, kMaxPictureSize);
    sizePixels_->setSingleStep(kPictureSizeStep);
    sizePixels_->setValue(kMaxPictureSize);
    correctionSeconds_ = new QSpinBox(this);
    correctionSeconds_->setRange(-kMaxCorrectionSeconds, kMaxCorrectionSeconds);
    correctionSeconds_->setValue(0);

    connect(holdButton_, &QPushButton::clicked, this, &PictureSettingsPanel::holdPressed);
    connect(showBox_, &QCheckBox::toggled, this, &PictureSettingsPanel::picturesToggled);
    connect(sizePixels_, &QSpinBox::valueChanged, this, &PictureSettingsPanel::sizeChanged);
    connect(correctionSeconds_, &QSpinBox::valueChanged, this,
            &PictureSettingsPanel::correctionChanged);
    for (const auto& [widget, name] :
         {std::pair<QWidget*, const char*>{showBox_, "showPicturesBox"},
          {holdButton_, "holdButton"},
          {sizePixels_, "pictureSizeSpin"},
          {correctionSeconds_, "cameraCorrectionSpin"}})
        widget->setObjectName(QLatin1String(name));
    auto* g = new QGridLayout(this);
    g->setContentsMargins(4, 2, 4, 2);
    // The panel takes the size its captions need in either language.
    g->setSizeConstraint(QLayout::SetFixedSize);
    g->addWidget(showBox_, 0, 0);
    g->addWidget(holdSeconds_, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("sec"), this), 0, 2);
    g->addWidget(holdButton_, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Size"), this), 1, 0, Qt::AlignRight);
    g->addWidget(sizePixels_, 1, 1);
    // The language switch gives these two their captions, found by name.
    auto* correctionLabel = new QLabel(this);
    correctionLabel->setObjectName(QStringLiteral("cameraCorrectionLabel"));
    auto* correctionUnit = new QLabel(this);
    correctionUnit->setObjectName(QStringLiteral("cameraCorrectionUnit"));
    g->addWidget(correctionLabel, 2, 0, Qt::AlignRight);
    g->addWidget(correctionSeconds_, 2, 1);
    g->addWidget(correctionUnit, 2, 2);
    adjustSize();
}

void PictureSettingsPanel::showRaceSettings(int sizePixels, int correctionSeconds) {
    const QSignalBlocker a(sizePixels_), b(correctionSeconds_);
    sizePixels_->setValue(sizePixels);
    correctionSeconds_->setValue(correctionSeconds);
}

void PictureSettingsPanel::showHoldButton(const QString& caption, bool enabled) {
    holdButton_->setText(caption);
    holdButton_->setEnabled(enabled);
}

}  // namespace korvane

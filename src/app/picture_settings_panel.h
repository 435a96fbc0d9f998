// The picture settings shown while the race has photographs: pictures on or
// off, how long each holds the replay, the hold button, the shown size and
// the camera clock correction. It holds the controls; PictureShow acts on them.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

namespace korvane {

class PictureSettingsPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDefaultHoldSeconds = 5;
    static constexpr int kMaxCorrectionSeconds = 600;

    explicit PictureSettingsPanel(QWidget* parent = nullptr);

    QCheckBox* showBox = nullptr;           // "Show Pictures for "
    QSpinBox* holdSeconds = nullptr;        // 2 .. 10
    QPushButton* holdButton = nullptr;      // "stop" / "restart"
    QSpinBox* sizePixels = nullptr;         // 200 .. 900 by 100
    QSpinBox* correctionSeconds = nullptr;  // -600 .. 600
};

}  // namespace korvane

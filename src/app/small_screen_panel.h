// The map sizes for recording movies: four fixed sizes and one typed in.
// Shown under the small map while "Small Scr" is ticked.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QWidget>

#include "app/window_layout.h"

namespace korvane {

class SmallScreenPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SmallScreenPanel(QWidget* parent = nullptr);

    // Checks the button of `mode` and takes its size.
    void choose(SmallScreen mode);
    SmallScreen mode() const { return mode_; }
    QSize mapSize() const { return size_; }

  signals:
    void sizeChosen(SmallScreen mode, QSize mapSize);

  private:
    void take(SmallScreen mode);
    QRadioButton* sizeButton(SmallScreen mode) const;

    QComboBox* widthList_ = nullptr;
    QComboBox* heightList_ = nullptr;

    QButtonGroup buttons_;
    SmallScreen mode_ = SmallScreen::S480x320;
    QSize size_{480, 320};
};

}  // namespace korvane

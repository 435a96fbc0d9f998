// The start countdown's flags: our mark beside the preparatory flag, which
// flies from four minutes to one minute before the gun.
#pragma once

#include <QLabel>
#include <QWidget>

#include "replay/countdown.h"

namespace korvane {

class FlagPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFlagWidth = 72;
    static constexpr int kFlagHeight = 47;

    explicit FlagPanel(QWidget* parent = nullptr);
    void showFlag(StartFlag flag);
    bool preparatoryShown() const { return preparatory_->isVisible(); }

  private:
    QLabel* mark_ = nullptr;
    QLabel* preparatory_ = nullptr;
};

}  // namespace korvane

// A label that answers a click, for captions that act like small buttons
// ("SCR").
#pragma once

#include <QLabel>

namespace korvane {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace korvane

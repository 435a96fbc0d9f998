// Elapsed or corrected time, offered when the race's boats carry time
// correction factors; choosing the other mode reopens the race in it.
#pragma once

#include <QRadioButton>
#include <QWidget>

namespace korvane {

class CtModePanel : public QWidget {
    Q_OBJECT
  public:
    explicit CtModePanel(QWidget* parent = nullptr);
    void showMode(bool corrected);  // without emitting modePicked
    bool correctedChecked() const { return correctedButton_->isChecked(); }

  signals:
    // The user picked a mode (true: corrected time).
    void modePicked(bool corrected);

  private:
    QRadioButton* elapsedButton_ = nullptr;
    QRadioButton* correctedButton_ = nullptr;
};

}  // namespace korvane

// The picture settings shown while the race has photographs: pictures on or
// off, how long each holds the replay, the hold button, the shown size and
// the camera clock correction. It says what the user changed; PictureShow
// acts on it.
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

    bool picturesOn() const { return showBox_->isChecked(); }
    void setPicturesOn(bool on) { showBox_->setChecked(on); }
    int holdSeconds() const { return holdSeconds_->value(); }
    int sizePixels() const { return sizePixels_->value(); }
    void setSizePixels(int pixels) { sizePixels_->setValue(pixels); }
    void setCorrectionSeconds(int seconds) { correctionSeconds_->setValue(seconds); }
    // A race's own size and correction, without announcing them.
    void showRaceSettings(int sizePixels, int correctionSeconds);
    // "stop" / "restart", and whether it can be pressed.
    void showHoldButton(const QString& caption, bool enabled);
    bool holdButtonEnabled() const { return holdButton_->isEnabled(); }

  signals:
    void holdPressed();
    void picturesToggled(bool on);
    void sizeChanged(int pixels);
    void correctionChanged(int seconds);

  private:
    QCheckBox* showBox_ = nullptr;           // "Show Pictures for "
    QSpinBox* holdSeconds_ = nullptr;        // 2 .. 10
    QPushButton* holdButton_ = nullptr;      // "stop" / "restart"
    QSpinBox* sizePixels_ = nullptr;         // 200 .. 900 by 100
    QSpinBox* correctionSeconds_ = nullptr;  // -600 .. 600
};

}  // namespace korvane

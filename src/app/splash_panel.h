// The cover shown while a race opens: the race's picture, its title and
// date, a progress bar and the line saying what is being read.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace korvane {

class ReplayController;

class SplashPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SplashPanel(QWidget* parent = nullptr);

    void setCover(const QPixmap& cover);  // raceadmin/cover.jpg, or none
    void setTitle(const QString& title, const QString& date);
    void setProgress(int step, int stepCount, const QString& text);
    // Shows each opening of `replay` and goes when it ends.
    void follow(const ReplayController& replay);
    QString statusText() const { return status_->text(); }
    // Where the cover stands in the panel (empty without one).
    QRect coverRect() const { return picture_->geometry(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeChildren();

    QLabel* picture_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* date_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* maker_ = nullptr;
    QLabel* poweredBy_ = nullptr;
    QLabel* version_ = nullptr;
    bool hasCover_ = false;
    QElapsedTimer lastShown_;
};

}  // namespace korvane

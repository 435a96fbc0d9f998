// The panel above the boat list: the overview of the whole race with the
// frame of the map's view and a dot per boat, and, while the pointer rests
// on the time bar, the dots of the moment under it instead. Beside the
// overview stand the logo and the read-out of the window's size.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "app/click_label.h"
#include "session/race_session.h"

namespace korvane {

class OverviewPanel : public QWidget {
    Q_OBJECT
  public:
    explicit OverviewPanel(QWidget* parent = nullptr);

    void setSession(std::shared_ptr<const RaceSession> session, bool northUp);
    // The frame and dots of the frame just drawn (dots by boat slot, as the
    // renderer returns them).
    void showFrame(const QRect& frame, const std::vector<QPoint>& dotsBySlot);
    // Dots of the boats at another moment (0-based); nothing ends the preview.
    void showPreview(std::optional<std::vector<std::optional<QPoint>>> dots);
    bool previewing() const { return preview_.has_value(); }
    const QImage& overview() const { return overview_; }
    // Where the overview stands in the panel.
    QRect overviewRect() const;
    // The window's client size, as "1024x740".
    void showClientSize(QSize size);
    // The date and time on show, or the one under the pointer on the time bar.
    void setClockText(const QString& text);
    QString clockText() const;
    // The foot of the strip beside the overview, left to the window's own
    // buttons (help, retouch, maneuvers).
    static QRect sideRoom();

  signals:
    void logoClicked();         // the web site
    void sizeReadoutClicked();  // centre the window
    // A press on the overview, at `inOverview` from its top left corner.
    void pressed(QPoint inOverview, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ClickLabel* logo_ = nullptr;
    ClickLabel* sizeReadout_ = nullptr;
    QLabel* clock_ = nullptr;
    std::shared_ptr<const RaceSession> session_;
    QImage overview_;
    QRect frame_;
    std::vector<QPoint> dots_;
    std::optional<std::vector<std::optional<QPoint>>> preview_;
};

}  // namespace korvane

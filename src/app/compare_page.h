// The Compare page: boats A and B side by side over the whole race, with
// the replay's moment as a cursor, and where B's time went against A's leg
// by leg. It lies over the map while its switch is on; the replay goes on
// under it. A and B are picked in the page's two lists; while the page is
// on show, a click on a boat in the boat list makes that boat B.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "analysis/compare_series.h"
#include "analysis/leg_breakdown.h"

class QComboBox;
class QLabel;

namespace korvane {

class BoatPanel;
class ControlPanel;
class RaceSession;
class ReplayController;

class ComparePage : public QWidget {
    Q_OBJECT
  public:
    explicit ComparePage(QWidget* parent = nullptr);

    // New races, edits and the replay time come from the controller; the
    // control panel's switch shows and hides the page; the boat list's
    // clicks pick B. The page keeps the place of `map`, which it covers.
    void attach(ReplayController& controller, ControlPanel& controls, BoatPanel& boats,
                QWidget& map);
    void setSession(std::shared_ptr<const RaceSession> session);
    // A and B as 0-based boat slots; out of range keeps the current one.
    void pickBoats(int boatA, int boatB);
    int boatA() const;
    int boatB() const;
    void showTime(double timeSeconds);

    // What the page shows; worked out only while it is on show.
    const CompareSeries& series() const { return series_; }
    const RaceBreakdown& breakdown() const { return breakdown_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void recompute();
    void placeLists();

    std::shared_ptr<const RaceSession> session_;
    CompareSeries series_;
    RaceBreakdown breakdown_;
    QImage chart_;
    bool stale_ = true;
    double timeSeconds_ = 0;
    std::optional<int> lastHighlighted_;
    QWidget* map_ = nullptr;
    QLabel* labelA_;
    QLabel* labelB_;
    QComboBox* boxA_;
    QComboBox* boxB_;
};

}  // namespace korvane

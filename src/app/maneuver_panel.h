// The fleet's tacks, gybes, turns and roundings in one table with every
// column of the CLI, sortable and narrowed by boat, class and kind, and
// under it each boat's summary per kind. A click on a row takes the replay
// to just before the maneuver and picks out its boat, so the sailor watches
// it happen.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "app/maneuver_model.h"

class QComboBox;
class QTableView;

namespace korvane {

class RaceSession;

// How far before a maneuver a click on its row puts the replay.
inline constexpr double kManeuverLeadSeconds = 10;

class ManeuverPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ManeuverPanel(QWidget* parent = nullptr);

    void showSession(const RaceSession* session);
    const std::vector<ManeuverRow>& rows() const { return table_.rows(); }

  signals:
    // The replay time to jump to.
    void jumpRequested(double timeSeconds);
    // The boat of the row clicked (0-based).
    void boatPicked(int boat);

  protected:
    // The window's language changed: the headings, kinds and filters follow.
    void changeEvent(QEvent* event) override;

  private:
    void speakWindowsLanguage();
    void applyFilter();
    void rowClicked(const QModelIndex& index);

    ManeuverTableModel table_;
    ManeuverFilterModel filter_;
    ManeuverSummaryModel summary_;
    QComboBox* boatFilter_;
    QComboBox* classFilter_;
    QComboBox* kindFilter_;
    QTableView* view_;
    QTableView* summaryView_;
};

}  // namespace korvane

// The fleet's tacks, gybes, turns and roundings in one table, in time order,
// with what each cost; a click on a row takes the replay to just before it,
// so the sailor watches the maneuver happen.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "race/maneuver.h"

class QTableWidget;

namespace korvane {

class RaceSession;

struct ManeuverRow {
    int boatIndex = 0;  // 0-based
    std::string boatName;
    double timeSeconds = 0;
    ManeuverKind kind = ManeuverKind::Turn;
    std::optional<double> lossMetres;
};

// Every maneuver of every boat, earliest first (boats in their order at a tie).
std::vector<ManeuverRow> maneuverRows(const RaceSession& session);

// How far before a maneuver a click on its row puts the replay.
inline constexpr double kManeuverLeadSeconds = 10;

class ManeuverPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ManeuverPanel(QWidget* parent = nullptr);

    void showSession(const RaceSession* session);
    const std::vector<ManeuverRow>& rows() const { return rows_; }

  signals:
    // The replay time to jump to.
    void jumpRequested(double timeSeconds);

  private:
    QTableWidget* table_;
    std::vector<ManeuverRow> rows_;
};

}  // namespace korvane

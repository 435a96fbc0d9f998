// The standings as a table model: one row per boat, whose cells follow the
// replay time; past the last finish the same rows show the results. The
// rows never move (a view sorts them through a proxy by the sort role), so
// a picked boat stays picked while the places change under it.
#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <optional>

#include "analysis/results_table.h"
#include "analysis/standings.h"
#include "session/race_session.h"
#include "ui_text/language.h"

namespace korvane {

class StandingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // What the sort role holds: a number that orders the column.
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr int kSlotRole = Qt::UserRole + 1;

    enum class Column { Place, Boat, Class, Leg, GapMetres, GapTime, Speed, Vmg };
    enum class ResultColumn { Place, Boat, Class, ClassPlace, Finish, Elapsed, Corrected, Code };
    static constexpr int kColumnCount = 8;

    explicit StandingsModel(QObject* parent = nullptr);

    // A new race (or none): every row is rebuilt.
    void setSession(std::shared_ptr<const RaceSession> session);
    // The standings at t; the rows become results once t is past the last
    // finish. False when nothing had to change.
    bool showTime(double timeSeconds);
    void setLanguage(Language language);

    bool showsResults() const { return results_.has_value(); }
    const Standings& standings() const { return standings_; }
    // The final results, whatever the time on show.
    ResultsTable finalResults() const;
    const RaceSession* session() const { return session_.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant liveData(int slot, int column, int role) const;
    QVariant resultData(int slot, int column, int role) const;

    std::shared_ptr<const RaceSession> session_;
    Standings standings_;
    std::optional<ResultsTable> results_;
    std::vector<int> standingOf_;  // [slot]: index into standings_.boats
    std::vector<int> resultOf_;    // [slot]: index into results_->rows
    std::optional<double> shownTime_;
    Language language_ = Language::English;
};

}  // namespace korvane

// The maneuver table's data as models: one row per maneuver with every
// column of `korvane-cli maneuvers`, a filter by boat, class and kind that
// also sorts, and per boat and kind the summary the CLI prints under each
// boat. The views only show them.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <string>
#include <vector>

#include "analysis/maneuver_summary.h"
#include "race/maneuver.h"
#include "ui_text/language.h"

namespace korvane {

class RaceSession;

struct ManeuverRow {
    int boatIndex = 0;  // 0-based
    std::string boatName;
    std::optional<int> classIndex;
    double timeSeconds = 0;
    ManeuverKind kind = ManeuverKind::Turn;
    std::optional<double> lossMetres;
    Maneuver maneuver;
};

// Every maneuver of every boat, earliest first (boats in their order at a tie).
std::vector<ManeuverRow> maneuverRows(const RaceSession& session);

// "tack", "タック" and the others, as the table and its filter name them.
QString maneuverKindText(ManeuverKind kind, Language language);

// What the table is narrowed to; empty: every boat, class or kind.
struct ManeuverFilterChoice {
    std::optional<int> boat;
    std::optional<int> classIndex;
    std::optional<ManeuverKind> kind;

    bool accepts(const ManeuverRow& row) const;
};

class ManeuverTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        TimeColumn,
        BoatColumn,
        KindColumn,
        CourseInColumn,
        CourseOutColumn,
        SpeedInColumn,
        SpeedMinColumn,
        SpeedOutColumn,
        DurationColumn,
        LossMetresColumn,
        LossLengthsColumn,
        VsVmgColumn,
        ColumnCount
    };
    // The value a column sorts by: numbers as numbers, a missing loss last.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<ManeuverRow> rows);
    const std::vector<ManeuverRow>& rows() const { return rows_; }
    // The headings' and the kinds' language.
    void setLanguage(Language language);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<ManeuverRow> rows_;
    Language language_ = Language::English;
};

class ManeuverFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit ManeuverFilterModel(QObject* parent = nullptr);

    void setChoice(const ManeuverFilterChoice& choice);
    const ManeuverFilterChoice& choice() const { return choice_; }
    // The row of the table model behind a row of this one.
    const ManeuverRow* rowAt(int proxyRow) const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    ManeuverFilterChoice choice_;
};

// Per boat and kind the count, mean, median and worst loss of the rows the
// filter lets through, counting only what was sailed while racing.
class ManeuverSummaryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        BoatColumn,
        KindColumn,
        CountColumn,
        MeanColumn,
        MedianColumn,
        WorstColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void summarize(const std::vector<ManeuverRow>& rows, const ManeuverFilterChoice& choice);
    void setLanguage(Language language);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    struct Line {
        std::string boatName;
        ManeuverKind kind;
        ManeuverSummary summary;
    };
    std::vector<Line> lines_;
    Language language_ = Language::English;
};

}  // namespace korvane

#include "app/standings_model.h"

#include <QBrush>
#include <QColor>

#include "session/standings_sources.h"
#include "view/colours.h"

namespace korvane {

namespace {

// Boats without a place sort after every place, in slot order.
constexpr int kUnplacedSortBase = 1000;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

struct HeaderText {
    const char* japanese;
    const char* english;
};

constexpr HeaderText kLiveHeaders[StandingsModel::kColumnCount] = {
    {"順位", "Pos"},  {"艇名", "Boat"}, {"クラス", "Class"}, {"レグ", "Leg"},
    {"差m", "Gap m"}, {"差", "Gap"},    {"艇速", "Speed"},   {"VMG", "VMG"}};
constexpr HeaderText kResultHeaders[StandingsModel::kColumnCount] = {{"順位", "Pos"},
                                                                     {"艇名", "Boat"},
                                                                     {"クラス", "Class"},
                                                                     {"クラス順位", "Cls"},
                                                                     {"フィニッシュ", "Finish"},
                                                                     {"所要時間", "Elapsed"},
                                                                     {"修正時間", "Corrected"},
                                                                     {"記録", "Code"}};

}  // namespace

StandingsModel::StandingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void StandingsModel::setSession(std::shared_ptr<const RaceSession> session) {
    beginResetModel();
    session_ = std::move(session);
    standings_ = {};
    results_.reset();
    standingOf_.clear();
    resultOf_.clear();
    shownTime_.reset();
    endResetModel();
}

ResultsTable StandingsModel::finalResults() const {
    if (!session_) return {};
    return korvane::finalResults(standingsSources(*session_), session_->model.race.timeMode);
}

bool StandingsModel::showTime(double timeSeconds) {
    if (!session_ || shownTime_ == timeSeconds) return false;
    shownTime_ = timeSeconds;
    const int boats = session_->model.boatCount();
    standings_ =
        standingsAt(standingsSources(*session_), timeSeconds, session_->model.race.timeMode);
    const bool wasResults = results_.has_value();
    if (standings_.final)
        results_ = resultsFrom(session_->model, standings_);
    else
        results_.reset();
    const bool reset = wasResults != results_.has_value() || rowCount() != boats;
    if (reset) beginResetModel();
    standingOf_.assign(static_cast<std::size_t>(boats), -1);
    for (std::size_t i = 0; i < standings_.boats.size(); ++i)
        standingOf_[static_cast<std::size_t>(standings_.boats[i].slot)] = static_cast<int>(i);
    resultOf_.assign(static_cast<std::size_t>(boats), -1);
    if (results_)
        for (std::size_t i = 0; i < results_->rows.size(); ++i)
            resultOf_[static_cast<std::size_t>(results_->rows[i].slot)] = static_cast<int>(i);
    if (reset)
        endResetModel();
    else if (boats > 0)
        emit dataChanged(index(0, 0), index(boats - 1, kColumnCount - 1));
    return true;
}

void StandingsModel::setLanguage(Language language) {
    if (language == language_) return;
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

int StandingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(standingOf_.size());
}

int StandingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant StandingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    const HeaderText& h = (results_ ? kResultHeaders : kLiveHeaders)[section];
    return QString::fromUtf8(pick(language_, h.japanese, h.english));
}

QVariant StandingsModel::data(const QModelIndex& index, int role) const {
    if (!session_ || !index.isValid() || index.row() >= rowCount()) return {};
    const int slot = index.row();
    if (role == kSlotRole) return slot;
    const Boat& boat = session_->model.boats[slot];
    if (index.column() == static_cast<int>(Column::Boat)) {
        if (role == Qt::DisplayRole) return text(boat.name);
        if (role == Qt::DecorationRole) return toQColor(boat.colour);
        if (role == kSortRole) return static_cast<double>(slot);
    }
    if (index.column() == static_cast<int>(Column::Class)) {
        const bool has = boat.classIndex && *boat.classIndex < session_->model.classes.count();
        if (role == Qt::DisplayRole)
            return has ? text(session_->model.classes[*boat.classIndex].name) : QString();
        if (role == kSortRole) return boat.classIndex ? *boat.classIndex : -1.0;
    }
    if (role == Qt::TextAlignmentRole && index.column() != static_cast<int>(Column::Boat) &&
        index.column() != static_cast<int>(Column::Class))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    const QVariant v =
        results_ ? resultData(slot, index.column(), role) : liveData(slot, index.column(), role);
    // One number type for every sort key, so the proxy compares like with like.
    if (role == kSortRole && v.isValid() && v.typeId() != QMetaType::QString) return v.toDouble();
    return v;
}

QVariant StandingsModel::liveData(int slot, int column, int role) const {
    const int i = standingOf_[static_cast<std::size_t>(slot)];
    if (i < 0) return {};
    const BoatStanding& s = standings_.boats[static_cast<std::size_t>(i)];
    const bool display = role == Qt::DisplayRole;
    if (!display && role != kSortRole) return {};
    const double unplaced = kUnplacedSortBase + slot;
    switch (static_cast<Column>(column)) {
        case Column::Place:
            if (display) return s.place > 0 ? QString::number(s.place) : QStringLiteral("-");
            return s.place > 0 ? s.place : unplaced;
        case Column::Leg:
            if (!display) return s.leg;
            return s.status == StandingStatus::Racing ? QString::number(s.leg)
                                                      : text(standingStatusMark(s.status));
        case Column::GapMetres:
            if (display)
                return s.place > 0 ? QString::number(s.metresBehindLeader, 'f', 0) : QString();
            return s.place > 0 ? s.metresBehindLeader : 1e9 + slot;
        case Column::GapTime:
            if (display)
                return s.secondsBehindLeader ? text(formatGapMinutesSeconds(*s.secondsBehindLeader))
                                             : QString();
            return s.secondsBehindLeader ? *s.secondsBehindLeader : 1e9 + slot;
        case Column::Speed:
            if (display) return QString::number(s.speedKnots, 'f', 1);
            return s.speedKnots;
        case Column::Vmg:
            if (display) return s.vmgKnots ? QString::number(*s.vmgKnots, 'f', 1) : QString();
            return s.vmgKnots.value_or(-1);
        case Column::Boat:
        case Column::Class:
            break;
    }
    return {};
}

QVariant StandingsModel::resultData(int slot, int column, int role) const {
    const int i = resultOf_[static_cast<std::size_t>(slot)];
    if (i < 0) return {};
    const ResultRow& r = results_->rows[static_cast<std::size_t>(i)];
    const bool display = role == Qt::DisplayRole;
    if (!display && role != kSortRole) return {};
    const auto time = [&](const std::optional<double>& seconds) -> QVariant {
        if (display) return seconds ? text(formatHoursMinutesSeconds(*seconds)) : QString();
        return seconds ? *seconds : 1e9 + slot;
    };
    switch (static_cast<ResultColumn>(column)) {
        case ResultColumn::Place:
            if (display) return r.code.empty() ? QString::number(r.place) : text(r.code);
            return r.code.empty() ? r.place : kUnplacedSortBase + i;
        case ResultColumn::ClassPlace:
            if (display) return r.code.empty() ? QString::number(r.classPlace) : QString();
            return r.code.empty() ? r.classPlace : kUnplacedSortBase + i;
        case ResultColumn::Finish:
            return time(r.finishSecondsOfDay);
        case ResultColumn::Elapsed:
            return time(r.elapsedSeconds);
        case ResultColumn::Corrected:
            return time(r.correctedSeconds);
        case ResultColumn::Code:
            if (display) return text(r.code);
            return text(r.code);
        case ResultColumn::Boat:
        case ResultColumn::Class:
            break;
    }
    return {};
}

}  // namespace korvane

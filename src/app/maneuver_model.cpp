#include "app/maneuver_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "session/race_session.h"

namespace korvane {

namespace {

// What a loss that could not be measured shows, in the table as on paper.
const QString kNoValue = QStringLiteral("\u2013");

QString raceClock(double seconds) {
    const long s = std::lround(std::abs(seconds));
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString fixed(const std::optional<double>& v, int decimals) {
    return v ? QString::number(*v, 'f', decimals) : kNoValue;
}

// A missing value sorts after every number, whichever way the column sorts
// first, as far as a single key can: above the largest.
QVariant sortKey(const std::optional<double>& v) {
    return v ? *v : std::numeric_limits<double>::max();
}

QString kindText(const Maneuver& m, Language language) {
    QString kind = maneuverKindText(m.kind, language);
    if (m.phase == ManeuverPhase::BeforeStart)
        kind += QString::fromUtf8(pick(language, "（スタート前）", " (before start)"));
    if (m.phase == ManeuverPhase::AfterFinish)
        kind += QString::fromUtf8(pick(language, "（フィニッシュ後）", " (after finish)"));
    return kind;
}

struct Heading {
    const char* japanese;
    const char* english;
};

constexpr Heading kTableHeadings[ManeuverTableModel::ColumnCount] = {
    {"時刻", "Time"},         {"艇名", "Boat"},          {"種類", "Kind"},
    {"進入コース", "Crs in"}, {"脱出コース", "Crs out"}, {"進入艇速", "Spd in"},
    {"最低艇速", "Spd min"},  {"脱出艇速", "Spd out"},   {"所要秒", "Dur s"},
    {"損失m", "Loss m"},      {"損失艇長", "Loss L"},    {"対VMG m", "vs VMG m"}};
constexpr Heading kSummaryHeadings[ManeuverSummaryModel::ColumnCount] = {
    {"艇名", "Boat"},    {"種類", "Kind"},        {"回数", "Count"},
    {"平均m", "Mean m"}, {"中央値m", "Median m"}, {"最大m", "Worst m"}};

QVariant heading(const Heading* headings, int count, int section, Language language) {
    return section >= 0 && section < count
               ? QVariant(QString::fromUtf8(
                     pick(language, headings[section].japanese, headings[section].english)))
               : QVariant();
}

}  // namespace

QString maneuverKindText(ManeuverKind kind, Language language) {
    if (language == Language::English) return text(maneuverKindName(kind));
    switch (kind) {
        case ManeuverKind::Tack:
            return QStringLiteral("タック");
        case ManeuverKind::Gybe:
            return QStringLiteral("ジャイブ");
        case ManeuverKind::Rounding:
            return QStringLiteral("マーク回航");
        case ManeuverKind::Turn:
            break;
    }
    return QStringLiteral("ターン");
}

void ManeuverTableModel::setLanguage(Language language) {
    if (language == language_) return;
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!rows_.empty()) emit dataChanged(index(0, KindColumn), index(rowCount() - 1, KindColumn));
}

void ManeuverSummaryModel::setLanguage(Language language) {
    if (language == language_) return;
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!lines_.empty()) emit dataChanged(index(0, KindColumn), index(rowCount() - 1, KindColumn));
}

std::vector<ManeuverRow> maneuverRows(const RaceSession& session) {
    std::vector<ManeuverRow> rows;
    const int boats =
        std::min<int>(session.model.boatCount(), static_cast<int>(session.maneuvers().size()));
    for (int b = 0; b < boats; ++b) {
        const Boat& boat = session.model.boats.at(b);
        for (const Maneuver& m : session.maneuvers()[static_cast<std::size_t>(b)])
            rows.push_back({b, boat.name, boat.classIndex, m.timeSeconds, m.kind, m.lossMetres, m});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ManeuverRow& a, const ManeuverRow& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    return rows;
}

bool ManeuverFilterChoice::accepts(const ManeuverRow& row) const {
    return (!boat || *boat == row.boatIndex) && (!classIndex || classIndex == row.classIndex) &&
           (!kind || *kind == row.kind);
}

void ManeuverTableModel::setRows(std::vector<ManeuverRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ManeuverTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ManeuverTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ManeuverTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const ManeuverRow& row = rows_[static_cast<std::size_t>(index.row())];
    const Maneuver& m = row.maneuver;
    if (role == Qt::ForegroundRole && m.phase != ManeuverPhase::Racing)
        return QBrush(QColor(Qt::gray));
    if (role == Qt::ToolTipRole && m.unmeasured != LossUnmeasured::No &&
        index.column() >= LossMetresColumn)
        return text(lossUnmeasuredName(m.unmeasured));
    if (role == Qt::TextAlignmentRole && index.column() != BoatColumn &&
        index.column() != KindColumn)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    const bool display = role == Qt::DisplayRole;
    if (!display && role != kSortRole) return {};
    switch (index.column()) {
        case TimeColumn:
            return display ? QVariant(raceClock(m.timeSeconds)) : QVariant(m.timeSeconds);
        case BoatColumn:
            return QString::fromStdString(row.boatName);
        case KindColumn:
            return display ? QVariant(kindText(m, language_)) : QVariant(static_cast<int>(m.kind));
        case CourseInColumn:
            return display ? QVariant(QString::number(m.courseInDegrees, 'f', 0))
                           : QVariant(m.courseInDegrees);
        case CourseOutColumn:
            return display ? QVariant(QString::number(m.courseOutDegrees, 'f', 0))
                           : QVariant(m.courseOutDegrees);
        case SpeedInColumn:
            return display ? QVariant(QString::number(m.speedInKnots, 'f', 2))
                           : QVariant(m.speedInKnots);
        case SpeedMinColumn:
            return display ? QVariant(QString::number(m.speedMinKnots, 'f', 2))
                           : QVariant(m.speedMinKnots);
        case SpeedOutColumn:
            return display ? QVariant(QString::number(m.speedOutKnots, 'f', 2))
                           : QVariant(m.speedOutKnots);
        case DurationColumn:
            return display ? QVariant(QString::number(m.durationSeconds(), 'f', 0))
                           : QVariant(m.durationSeconds());
        case LossMetresColumn:
            return display ? QVariant(fixed(m.lossMetres, 1)) : sortKey(m.lossMetres);
        case LossLengthsColumn:
            return display ? QVariant(fixed(m.lossBoatLengths, 2)) : sortKey(m.lossBoatLengths);
        case VsVmgColumn:
            return display ? QVariant(fixed(m.lossVsMedianVmgMetres, 1))
                           : sortKey(m.lossVsMedianVmgMetres);
        default:
            return {};
    }
}

QVariant ManeuverTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return heading(kTableHeadings, ColumnCount, section, language_);
}

ManeuverFilterModel::ManeuverFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(ManeuverTableModel::kSortRole);
}

void ManeuverFilterModel::setChoice(const ManeuverFilterChoice& choice) {
    choice_ = choice;
    invalidateFilter();
}

const ManeuverRow* ManeuverFilterModel::rowAt(int proxyRow) const {
    const auto* table = qobject_cast<const ManeuverTableModel*>(sourceModel());
    if (!table) return nullptr;
    const QModelIndex source = mapToSource(index(proxyRow, 0));
    if (!source.isValid() || source.row() >= static_cast<int>(table->rows().size())) return nullptr;
    return &table->rows()[static_cast<std::size_t>(source.row())];
}

bool ManeuverFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* table = qobject_cast<const ManeuverTableModel*>(sourceModel());
    return table && sourceRow < static_cast<int>(table->rows().size()) &&
           choice_.accepts(table->rows()[static_cast<std::size_t>(sourceRow)]);
}

void ManeuverSummaryModel::summarize(const std::vector<ManeuverRow>& rows,
                                     const ManeuverFilterChoice& choice) {
    beginResetModel();
    lines_.clear();
    std::map<int, std::pair<std::string, std::vector<Maneuver>>> byBoat;
    for (const ManeuverRow& row : rows)
        if (choice.accepts(row)) {
            auto& boat = byBoat[row.boatIndex];
            boat.first = row.boatName;
            boat.second.push_back(row.maneuver);
        }
    for (const auto& [boat, named] : byBoat)
        for (ManeuverKind k : kManeuverKinds) {
            const ManeuverSummary s = summarizeManeuvers(named.second, k);
            if (s.count > 0) lines_.push_back({named.first, k, s});
        }
    endResetModel();
}

int ManeuverSummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ManeuverSummaryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ManeuverSummaryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(lines_.size())) return {};
    if (role == Qt::TextAlignmentRole && index.column() >= CountColumn)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    const Line& line = lines_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case BoatColumn:
            return QString::fromStdString(line.boatName);
        case KindColumn:
            return maneuverKindText(line.kind, language_);
        case CountColumn:
            return line.summary.count;
        case MeanColumn:
            return fixed(line.summary.meanLossMetres, 1);
        case MedianColumn:
            return fixed(line.summary.medianLossMetres, 1);
        case WorstColumn:
            return fixed(line.summary.worstLossMetres, 1);
        default:
            return {};
    }
}

QVariant ManeuverSummaryModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return heading(kSummaryHeadings, ColumnCount, section, language_);
}

}  // namespace korvane

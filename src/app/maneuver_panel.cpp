#include "app/maneuver_panel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "session/race_session.h"

namespace korvane {

namespace {

constexpr int kPanelWidth = 330;
constexpr int kPanelHeight = 300;

QString raceClock(double seconds) {
    const long s = std::lround(std::abs(seconds));
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::vector<ManeuverRow> maneuverRows(const RaceSession& session) {
    std::vector<ManeuverRow> rows;
    const int boats =
        std::min<int>(session.model.boatCount(), static_cast<int>(session.maneuvers().size()));
    for (int b = 0; b < boats; ++b)
        for (const Maneuver& m : session.maneuvers()[static_cast<std::size_t>(b)])
            rows.push_back(
                {b, session.model.boats.at(b).name, m.timeSeconds, m.kind, m.lossMetres});
    std::stable_sort(rows.begin(), rows.end(), [](const ManeuverRow& a, const ManeuverRow& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    return rows;
}

ManeuverPanel::ManeuverPanel(QWidget* parent) : QWidget(parent), table_(new QTableWidget(this)) {
    setAutoFillBackground(true);
    table_->setColumnCount(4);
    table_->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Boat"),
                                       QStringLiteral("Kind"), QStringLiteral("Loss m")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    resize(kPanelWidth, kPanelHeight);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && row < static_cast<int>(rows_.size()))
            emit jumpRequested(rows_[static_cast<std::size_t>(row)].timeSeconds -
                               kManeuverLeadSeconds);
    });
}

void ManeuverPanel::showSession(const RaceSession* session) {
    rows_ = session ? maneuverRows(*session) : std::vector<ManeuverRow>{};
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const ManeuverRow& m = rows_[static_cast<std::size_t>(r)];
        const QString loss = m.lossMetres ? QString::number(*m.lossMetres, 'f', 1) : QString();
        const QString cells[] = {
            raceClock(m.timeSeconds), QString::fromStdString(m.boatName),
            QString::fromUtf8(maneuverKindName(m.kind).data(),
                              static_cast<int>(maneuverKindName(m.kind).size())),
            loss};
        for (int c = 0; c < 4; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
}

}  // namespace korvane

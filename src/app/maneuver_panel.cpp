#include "app/maneuver_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "app/captions.h"
#include "session/race_session.h"

namespace korvane {

namespace {

constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 330;
constexpr int kSummaryHeight = 96;

QTableView* readOnlyView(QWidget* parent, const QString& name) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    return view;
}

QComboBox* filterBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItem(QString());  // "all", in the window's language
    return box;
}

}  // namespace

ManeuverPanel::ManeuverPanel(QWidget* parent)
    : QWidget(parent),
      boatFilter_(filterBox(this, QStringLiteral("maneuverBoatFilter"))),
      classFilter_(filterBox(this, QStringLiteral("maneuverClassFilter"))),
      kindFilter_(filterBox(this, QStringLiteral("maneuverKindFilter"))),
      view_(readOnlyView(this, QStringLiteral("maneuverTable"))),
      summaryView_(readOnlyView(this, QStringLiteral("maneuverSummary"))) {
    setAutoFillBackground(true);
    for (ManeuverKind k : kManeuverKinds) kindFilter_->addItem(QString(), static_cast<int>(k));
    speakWindowsLanguage();
    filter_.setSourceModel(&table_);
    view_->setModel(&filter_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(ManeuverTableModel::TimeColumn, Qt::AscendingOrder);
    summaryView_->setModel(&summary_);
    summaryView_->setFixedHeight(kSummaryHeight);

    auto* filters = new QHBoxLayout;
    filters->setContentsMargins(0, 0, 0, 0);
    for (QComboBox* box : {boatFilter_, classFilter_, kindFilter_}) {
        filters->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, &ManeuverPanel::applyFilter);
    }
    filters->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(filters);
    layout->addWidget(view_);
    layout->addWidget(summaryView_);
    resize(kPanelWidth, kPanelHeight);
    connect(view_, &QTableView::clicked, this, &ManeuverPanel::rowClicked);
}

void ManeuverPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) speakWindowsLanguage();
    QWidget::changeEvent(event);
}

void ManeuverPanel::speakWindowsLanguage() {
    const Language language = shownLanguage(this);
    table_.setLanguage(language);
    summary_.setLanguage(language);
    boatFilter_->setItemText(0, QString::fromUtf8(pick(language, "全艇", "All boats")));
    classFilter_->setItemText(0, QString::fromUtf8(pick(language, "全クラス", "All classes")));
    kindFilter_->setItemText(0, QString::fromUtf8(pick(language, "全種類", "All kinds")));
    for (int i = 1; i < kindFilter_->count(); ++i)
        kindFilter_->setItemText(
            i, maneuverKindText(static_cast<ManeuverKind>(kindFilter_->itemData(i).toInt()),
                                language));
    view_->resizeColumnsToContents();
    summaryView_->resizeColumnsToContents();
}

void ManeuverPanel::showSession(const RaceSession* session) {
    speakWindowsLanguage();
    table_.setRows(session ? maneuverRows(*session) : std::vector<ManeuverRow>{});
    // The boat and class lists follow the race; the items carry the index.
    for (QComboBox* box : {boatFilter_, classFilter_}) {
        const QSignalBlocker quiet(box);
        while (box->count() > 1) box->removeItem(1);
        box->setCurrentIndex(0);
    }
    if (session) {
        for (int b = 0; b < session->model.boatCount(); ++b)
            boatFilter_->addItem(QString::fromStdString(session->model.boats[b].name), b);
        for (int k = 0; k < session->model.classes.count(); ++k)
            classFilter_->addItem(QString::fromStdString(session->model.classes[k].name), k);
    }
    classFilter_->setVisible(classFilter_->count() > 2);
    applyFilter();
    view_->resizeColumnsToContents();
    summaryView_->resizeColumnsToContents();
}

void ManeuverPanel::applyFilter() {
    const auto chosen = [](const QComboBox* box) {
        return box->currentIndex() > 0 ? std::optional<int>(box->currentData().toInt())
                                       : std::nullopt;
    };
    ManeuverFilterChoice choice;
    choice.boat = chosen(boatFilter_);
    choice.classIndex = chosen(classFilter_);
    if (const auto k = chosen(kindFilter_)) choice.kind = static_cast<ManeuverKind>(*k);
    filter_.setChoice(choice);
    summary_.summarize(table_.rows(), choice);
}

void ManeuverPanel::rowClicked(const QModelIndex& index) {
    const ManeuverRow* row = filter_.rowAt(index.row());
    if (!row) return;
    emit jumpRequested(row->timeSeconds - kManeuverLeadSeconds);
    emit boatPicked(row->boatIndex);
}

}  // namespace korvane

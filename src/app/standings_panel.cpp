#include "app/standings_panel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/captions.h"
#include "app/control_panel.h"
#include "app/desktop.h"
#include "app/map_view.h"
#include "app/replay_controller.h"
#include "app/window_layout.h"
#include "base/file_io.h"
#include "export/results_page.h"
#include "view/display_state.h"
#include "view/time_text.h"

namespace korvane {

StandingsPanel::StandingsPanel(QWidget* parent)
    : QWidget(parent),
      sorted_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)),
      heading_(new QLabel(this)),
      csvButton_(new QPushButton(QStringLiteral("CSV"), this)),
      htmlButton_(new QPushButton(QStringLiteral("HTML"), this)) {
    setObjectName(QStringLiteral("standingsPanel"));
    heading_->setObjectName(QStringLiteral("standingsHeading"));
    table_->setObjectName(QStringLiteral("standingsTable"));
    csvButton_->setObjectName(QStringLiteral("standingsCsvButton"));
    htmlButton_->setObjectName(QStringLiteral("standingsHtmlButton"));
    setAutoFillBackground(true);
    sorted_->setSourceModel(&model_);
    sorted_->setSortRole(StandingsModel::kSortRole);
    sorted_->setDynamicSortFilter(true);
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every column in view at once: the boat names take what the figures
    // leave. The widths are measured when the rows change their kind (a new
    // race, the results, the language), not at every frame: measuring every
    // cell thirty times a second would cost more than the standings.
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionResizeMode(static_cast<int>(StandingsModel::Column::Boat),
                                                     QHeaderView::Stretch);
    connect(&model_, &QAbstractItemModel::modelReset, this, &StandingsPanel::fitColumns);
    connect(&model_, &QAbstractItemModel::headerDataChanged, this, &StandingsPanel::fitColumns);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(4, 2, 4, 0);
    top->addWidget(heading_, 1);
    top->addWidget(csvButton_);
    top->addWidget(htmlButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(table_);
    resize(kWidth, kHeight);

    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        picked_ = index.data(StandingsModel::kSlotRole).toInt();
        emit boatPicked(*picked_);
    });
    for (auto [button, html] : {std::pair{csvButton_, false}, std::pair{htmlButton_, true}})
        connect(button, &QPushButton::clicked, this, [this, html = html] {
            if (const auto file = exportResults(html))
                openWithDesktop(QString::fromStdString(file->string()));
            else
                QApplication::beep();
        });
}

void StandingsPanel::fitColumns() {
    for (int c = 0; c < StandingsModel::kColumnCount; ++c)
        if (c != static_cast<int>(StandingsModel::Column::Boat)) table_->resizeColumnToContents(c);
}

void StandingsPanel::follow(ReplayController& controller) {
    connect(&controller, &ReplayController::sessionChanged, this,
            [this](std::shared_ptr<const RaceSession> s) { setSession(std::move(s)); });
    connect(&controller, &ReplayController::sessionEdited, this,
            [this](std::shared_ptr<const RaceSession> s) { setSession(std::move(s)); });
    // While the replay plays the table is refreshed a few times a second: a
    // table redrawn at every frame cannot be read anyway, and it would cost
    // the replay more than the map. A stopped replay, and a jump (a move the
    // playing speed does not explain), show at once.
    const auto now = [this, &controller] {
        const ReplayClock& clock = controller.clock();
        const double t = clock.timeSeconds();
        if (clock.transport() != Transport::Stopped && sinceRefresh_.isValid() &&
            sinceRefresh_.elapsed() < kPlayingRefreshMs) {
            const double played =
                clock.speed() * (static_cast<double>(sinceRefresh_.elapsed()) / 1000 + kFrameSlack);
            if (std::abs(t - shownFrom_) <= played + 1) {
                lastTime_ = t;
                return;
            }
        }
        showTime(t);
    };
    connect(&controller, &ReplayController::frameDue, this, now);
    connect(&controller, &ReplayController::timeMoved, this, now);
}

void StandingsPanel::attach(ReplayController& controller, ControlPanel& controls, MapView& map,
                            std::function<void()> redraw) {
    follow(controller);
    controls_ = &controls;
    map.setOpaqueOverlay(this);
    connect(this, &StandingsPanel::boatPicked, this, [redraw = std::move(redraw)] { redraw(); });
    setVisible(controls.standingsShown());
    // Not raised: the pages, the pictures and the tips stay above it.
    connect(&controls, &ControlPanel::standingsToggled, this, &QWidget::setVisible);
}

void StandingsPanel::place(const WindowLayout& l, bool trackPage) {
    constexpr int kMargin = 5;
    const QRect& map = l.map;
    const int left = std::clamp(l.pictureSettings.right() + 1 + kMargin, map.left() + kMargin,
                                std::max(map.left(), map.right() + 1 - width() - kMargin));
    const int top = std::clamp(l.ctModePanel.top() - kMargin - height(), map.top() + kMargin,
                               std::max(map.top(), map.bottom() + 1 - height() - kMargin));
    move(left, top);
    if (controls_ && parentWidget()) {
        const QRect below = l.stopwatchButton;
        controls_->lendStandingsButton(
            parentWidget(), below.translated(0, -below.height() - kSwitchGap), trackPage);
    }
}

void StandingsPanel::showIn(DisplayState& display) const {
    const std::optional<int> b = centredBoat();
    if (!b) return;
    display.centredBoat = b;
    if (!display.highlightBoat) display.highlightBoat = b;
}

void StandingsPanel::setSession(std::shared_ptr<const RaceSession> session) {
    picked_.reset();
    const bool any = session != nullptr;
    model_.setSession(std::move(session));
    csvButton_->setEnabled(any);
    htmlButton_->setEnabled(any);
    if (lastTime_) showTime(*lastTime_);
}

void StandingsPanel::showTime(double timeSeconds) {
    lastTime_ = timeSeconds;
    if (isHidden()) return;
    sinceRefresh_.start();
    shownFrom_ = timeSeconds;
    model_.setLanguage(shownLanguage(this));
    model_.showTime(timeSeconds);
    showHeading();
}

void StandingsPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (lastTime_) showTime(*lastTime_);
}

void StandingsPanel::showHeading() {
    const Language language = shownLanguage(this);
    const bool corrected =
        model_.session() && model_.session()->model.race.timeMode == TimeMode::Corrected;
    QString text =
        model_.showsResults()
            ? QString::fromUtf8(pick(language, "成績", "Results"))
            : QString::fromUtf8(pick(language, "順位", "Standings")) + QStringLiteral("  ") +
                  QString::fromStdString(formatReplayTime(model_.standings().timeSeconds));
    if (corrected) text += QStringLiteral("  (CT)");
    heading_->setText(text);
}

std::optional<int> StandingsPanel::centredBoat() const {
    return isVisible() ? picked_ : std::nullopt;
}

std::optional<std::filesystem::path> StandingsPanel::exportResults(bool html) {
    const RaceSession* session = model_.session();
    if (!session) return std::nullopt;
    const Language language = shownLanguage(this);
    const ResultsTable table = model_.finalResults();
    const std::string bytes =
        html ? resultsHtml(table, session->model.race, language) : resultsCsv(table, language);
    const std::filesystem::path file =
        documentsFolder() / (session->raceBaseName + (html ? "-results.html" : "-results.csv"));
    if (!writeFileAtomically(file, bytes)) return std::nullopt;
    return file;
}

}  // namespace korvane

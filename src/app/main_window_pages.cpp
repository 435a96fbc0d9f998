// The window's side of the Graph and Analysis pages: choosing a page stops
// or restarts the replay and locks the controls that only make sense on the
// map; the report button writes and opens the report.
#include "app/desktop.h"
#include "app/main_window.h"

namespace korvane {

void MainWindow::connectPages() {
    for (const auto& [command, page] :
         {std::pair{Command::TrackPage, Page::Track}, std::pair{Command::GraphPage, Page::Graph},
          std::pair{Command::AnalysisPage, Page::Analysis}})
        connect((*actions_)[command], &QAction::toggled, this, [this, page = page](bool on) {
            if (on) choosePage(page);
        });
    connect(pages_, &PageView::reportRequested, this, &MainWindow::onReportClicked);
    connect(pages_, &PageView::captionChanged, this, &QWidget::setWindowTitle);
    connect(boats_, &BoatPanel::pointerOverList, pages_, [this] { pages_->showWindOverlay(true); });
    connect(boats_, &BoatPanel::classClicked, this, [this] { playBeep(1); });
}

PageState MainWindow::pageState() const {
    const DisplayOptions& o = controls_->displayOptions();
    return {.seaLevel = o.seaLevel,
            .showName = o.showName,
            .boatShown = boats_->selection().visibleBoats()};
}

void MainWindow::choosePage(Page page) {
    const bool map = page == Page::Track;
    controls_->setMapControlsEnabled(map);
    if (map) {
        pages_->hide();
        pages_->showPage(Page::Track, pageState());
        ctMode_->setVisible(session() && session()->model.race.hasTcf);
        controls_->setAutoTrace(true);
        controller_->restartTimers();
        drawNow();
        return;
    }
    // A page shows the whole race: the replay waits until the map is back.
    controller_->stopTimers();
    ctMode_->hide();
    pictures_->leaveMap();
    pages_->setGeometry(map_->geometry());
    pages_->show();
    pages_->raise();
    pages_->showPage(page, pageState());
}

void MainWindow::onReportClicked() {
    if (!session()) return;
    const ReportOutcome outcome = writeReport(*session(), documentsFolder());
    if (!outcome.written) {
        lastError_ = kReportNotWrittenMessage;
        showError(kReportNotWrittenMessage);
        return;
    }
    lastError_.clear();
    playBeep(1);
    exportStatus_->handOver(outcome.file);
}

}  // namespace korvane

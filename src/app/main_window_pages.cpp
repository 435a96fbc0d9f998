// The window's side of the Graph and Analysis pages: choosing a page stops
// or restarts the replay and locks the controls that only make sense on the
// map; the report button writes and opens the report.
#include "app/desktop.h"
#include "app/main_window.h"

namespace korvane {

void MainWindow::connectPages() {
    const std::pair<QRadioButton*, Page> buttons[] = {
        {controls_->trackPageButton, Page::Track},
        {controls_->graphPageButton, Page::Graph},
        {controls_->analysisPageButton, Page::Analysis}};
    for (const auto& [button, page] : buttons) {
        connect(button, &QRadioButton::toggled, this, [this, page = page](bool on) {
            if (on) choosePage(page);
        });
    }
    connect(pages_->reportButton, &QPushButton::clicked, this, &MainWindow::onReportClicked);
}

PageState MainWindow::pageState() const {
    PageState s;
    s.seaLevel = controls_->seaColourBar->value();
    s.showName = controls_->showNameBox->isChecked();
    s.boatShown = boats_->selection().visibleBoats();
    return s;
}

void MainWindow::choosePage(Page page) {
    const bool map = page == Page::Track;
    controls_->raceList->setEnabled(map);
    controls_->showButton->setEnabled(map);
    controls_->smallScreenBox->setEnabled(map);
    if (map) {
        pages_->hide();
        pages_->showPage(Page::Track, pageState());
        ctMode_->setVisible(session_ && session_->model.race.hasTcf);
        controls_->autoTraceBox->setChecked(true);
        lastFrameMs_ = realTime_.elapsed();
        frameTimer_.start();
        secondTimer_.start();
        lightTimer_.start();
        drawNow();
        return;
    }
    // A page shows the whole race: the replay waits until the map is back.
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    ctMode_->hide();
    pictures_->leaveMap();
    pages_->setGeometry(map_->geometry());
    pages_->show();
    pages_->raise();
    pages_->showPage(page, pageState());
}

void MainWindow::onReportClicked() {
    if (!session_) return;
    const ReportOutcome outcome = writeReport(*session_, documentsFolder());
    if (!outcome.written) {
        lastError_ = kReportNotWrittenMessage;
        showError(kReportNotWrittenMessage);
        return;
    }
    lastError_.clear();
    beep(1);
    openWithDesktop(QString::fromStdString(outcome.file.string()));
}

}  // namespace korvane

// The window's layout: where each panel stands for the window's size and
// the small-screen choice, and the ranking panel stepping aside.
#include <QResizeEvent>

#include <algorithm>

#include "app/main_window.h"
#include "view/wind_graph.h"

namespace korvane {

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    dodge_->forget();
    layoutPanels();
    drawNow();
}

void MainWindow::layoutPanels() {
    LayoutInput in;
    in.client = centralWidget()->size();
    in.controlPanelHeight = controls_->height();
    in.boatListHeight = boats_->neededHeight();
    const bool small = controls_->displayOptions().smallScreen;
    in.smallScreen = small ? sizePanel_->mode() : SmallScreen::Off;
    in.smallScreenMapSize = sizePanel_->mapSize();
    in.sizePanel = sizePanel_->size();
    in.flagPanel = flag_->size();
    in.rankingPanel = finish_->size();
    in.ctModePanel = ctMode_->size();
    in.jumpPanel = jump_->size();
    PictureSettingsPanel* pictureSettings = pictures_->settings();
    in.pictureSettings = pictureSettings->size();
    in.pictureSettingsShown = !pictureSettings->isHidden();
    in.diagnostics = diagnostics_->size();
    in.captionWidth = smallCaption_->fontMetrics().horizontalAdvance(smallCaption_->text());
    const WindowLayout& l = layout_ = layoutWindow(in);
    overview_->showClientSize(in.client);
    map_->setGeometry(l.map);
    pages_->setGeometry(l.map);
    timeBar_->setGeometry(l.timeBar);
    overview_->setGeometry(l.logo);
    controls_->setGeometry(l.controls);
    splash_->setGeometry(l.splash);
    flag_->move(l.flagPanel.topLeft());
    dodge_->place(l.rankingPanel.topLeft());
    boats_->setGeometry(l.boatList);
    overview_->stackUnder(boats_);  // a tall boat list covers the logo panel
    ctMode_->move(l.ctModePanel.topLeft());
    diagnostics_->move(l.diagnostics.topLeft());
    pictureSettings->move(l.pictureSettings.topLeft());
    if (jump_->isVisible()) jump_->move(l.jumpPanel.topLeft());
    // Under the compass and the wind graph, which the replay keeps reading,
    // as far as the map's height allows.
    const int maneuversTop =
        std::max(kPanelMargin, std::min(kWindGraphTop + kWindGraphHeight + kPanelMargin,
                                        l.map.height() - maneuvers_->height() - kPanelMargin));
    maneuvers_->move(l.map.topLeft() + QPoint(kPanelMargin, maneuversTop));
    standings_->place(l, (*actions_)[Command::TrackPage]->isChecked());
    sizePanel_->setVisible(small);
    sizePanel_->move(l.sizePanel.topLeft());
    smallCaption_->setGeometry(l.caption);
    smallCtCaption_->setGeometry(l.ctCaption);
    playSpeedNote_->setGeometry(l.playSpeedNote);
    const bool corrected = session() && session()->model.race.timeMode == TimeMode::Corrected;
    smallCaption_->setVisible(small);
    smallCtCaption_->setVisible(small && corrected);
    ctBanner_->follow(corrected, small, (*actions_)[Command::TrackPage]->isChecked(),
                      l.map.topLeft());
    playSpeedNote_->setVisible(small);
    if (chrome_)
        chrome_->layout(l.stopwatchButton, l.stopwatchClock,
                        session() && (*actions_)[Command::TrackPage]->isChecked() &&
                            controls_->displayOptions().autoTrace);
    if (splash_->isVisible()) splash_->raise();  // an opening covers the buttons on the map
}

void MainWindow::onSmallScreen(bool on) {
    QAction* graph = (*actions_)[Command::GraphPage];
    QAction* analysis = (*actions_)[Command::AnalysisPage];
    if (on) {
        graphPageWasEnabled_ = graph->isEnabled();
        analysisPageWasEnabled_ = analysis->isEnabled();
        graph->setEnabled(false);
        analysis->setEnabled(false);
        sizePanel_->choose(SmallScreen::S800x480);
    } else {
        graph->setEnabled(graphPageWasEnabled_);
        analysis->setEnabled(analysisPageWasEnabled_);
    }
    layoutPanels();
    drawNow();
}

}  // namespace korvane

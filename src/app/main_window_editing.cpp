// The window's side of course editing: the map's Shift-clicks and compass
// clicks and the Graph page's presses go to the editor; what it edits is
// shown at once; closing the window offers to keep it.
#include "app/captions.h"
#include "app/main_window.h"
#include "race/race_file_edits.h"

namespace korvane {

void MainWindow::connectEditing() {
    editPanel_->move(120, 5);
    editPanel_->resize(editPanel_->sizeHint());
    editPanel_->keepAbove(pages_);
    editing_ = new CourseEditing(editPanel_, this);
    editing_->setPictureLineSource([this] { return pictures_->pictureLine(); });
    editing_->setQuestions(dropQuestions_.get());
    connect(map_, &MapView::courseEditClicked, editing_, &CourseEditing::mapClicked);
    connect(map_, &MapView::courseWindPicked, editing_, &CourseEditing::compassClicked);
    connect(editing_, &CourseEditing::edited, this, &MainWindow::showEdited);
    connect(editing_, &CourseEditing::failed, this, [this](const QString& message) {
        lastError_ = message;
        showError(message);
    });
    connect(editing_, &CourseEditing::graphWanted, this,
            [this] { actions_->trigger(Command::GraphPage); });
    connect(pages_, &PageView::pressed, this, [this](QPoint at) {
        if (pages_->page() != Page::Graph || !editing_->graphPressed(at, pages_->size())) return;
        pages_->setWindStrokes(editing_->windStrokes());
    });
}

void MainWindow::showEdited(const std::shared_ptr<const RaceSession>& edited) {
    controller_->replaceSession(edited);
    map_->replaceSession(edited);
    overview_->setSession(edited, controls_->displayOptions().northUp);
    pages_->setSession(edited);
    // The finish guns, the rankings, the time bar's stripes and the maneuver
    // table follow the new legs.
    board_->setSession(*edited);
    board_->showFinishers(clock().finisherCount(), clock().finishedBoats());
    showTimeBar();
    if (controls_->maneuversShown()) maneuvers_->showSession(edited.get());
    if (pages_->page() != Page::Track) {
        pages_->showPage(pages_->page(), pageState());
        pages_->setWindStrokes(editing_->windStrokes());
        return;
    }
    if (controls_->displayOptions().autoTrace)
        drawNow();
    else
        map_->showEditSnapshot(clock().timeSeconds(), displayState());
}

void MainWindow::offerRewriteAtClose() {
    if (!session() || !controller_->editMode()) return;
    if (pictures_->catalogue().empty() &&
        !dropQuestions_->askYesNo(shownMessage(this, Message::RaceAdminData),
                                  shownMessage(this, Message::RewriteRaceFile)))
        return;
    const RewriteResult result = editing_->rewrite(pictures_->pictureLine());
    if (!result.ok()) {
        lastError_ = QString::fromStdString(result.message);
        dropQuestions_->tell(lastError_);
    }
}

void MainWindow::keepPictureSettings() {
    // In editing mode the close rewrites the whole file, asking only without pictures.
    if (!session() || controller_->editMode() || !pictures_->pictureLineChanged()) return;
    const PictureLine line = *pictures_->pictureLine();
    const RewriteResult result =
        rewriteRaceFile(session()->dataRoot, session()->raceFilePath, [&](RaceDocument& doc) {
            setPictureLine(doc, line.folder, line.offsetSeconds, line.size);
            return true;
        });
    if (!result.ok()) {
        lastError_ = QString::fromStdString(result.message);
        dropQuestions_->tell(lastError_);
        return;
    }
    pictures_->pictureLineKept();
}

}  // namespace korvane

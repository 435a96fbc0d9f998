// The window's side of course editing: the map's Shift-clicks and compass
// clicks and the Graph page's presses go to the editor; what it edits is
// shown at once; closing the window offers to keep it.
#include "app/main_window.h"
#include "race/race_file_edits.h"

namespace korvane {

void MainWindow::connectEditing() {
    editPanel_->move(120, 5);
    editPanel_->resize(editPanel_->sizeHint());
    editing_ = new CourseEditing(editPanel_, this);
    connect(map_, &MapView::courseEditClicked, editing_, &CourseEditing::mapClicked);
    connect(map_, &MapView::courseWindPicked, editing_, &CourseEditing::compassClicked);
    connect(editing_, &CourseEditing::edited, this, &MainWindow::showEdited);
    connect(editing_, &CourseEditing::failed, this, [this](const QString& message) {
        lastError_ = message;
        showError(message);
    });
    connect(editing_, &CourseEditing::graphWanted, this,
            [this] { controls_->graphPageButton->setChecked(true); });
    connect(pages_, &PageView::pressed, this, [this](QPoint at) {
        if (pages_->page() != Page::Graph || !editing_->graphPressed(at, pages_->size())) return;
        pages_->setWindStrokes(editing_->windStrokes());
    });
}

void MainWindow::showEdited(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    map_->replaceSession(session_);
    overview_->setSession(session_, controls_->northUpButton->isChecked());
    pages_->setSession(session_);
    followEditedLegs();
    if (pages_->page() != Page::Track) {
        pages_->showPage(pages_->page(), pageState());
        pages_->setWindStrokes(editing_->windStrokes());
        return;
    }
    if (controls_->autoTraceBox->isChecked())
        drawNow();
    else
        map_->showEditSnapshot(clock_.timeSeconds(), displayState());
}

void MainWindow::offerRewriteAtClose() {
    if (!session_ || !editMode_) return;
    if (!dropQuestions_->askYesNo(QStringLiteral("Race Admin Data"),
                                  tr("Rewrite File? (instead of old data)")))
        return;
    const RewriteResult result = editing_->rewrite(pictures_->pictureLine());
    if (!result.ok()) {
        lastError_ = QString::fromStdString(result.message);
        dropQuestions_->tell(lastError_);
    }
}

void MainWindow::keepPictureSettings() {
    // In editing mode the question at close decides about the whole file.
    if (!session_ || editMode_ || !pictures_->pictureLineChanged()) return;
    const PictureLine line = *pictures_->pictureLine();
    const RewriteResult result =
        rewriteRaceFile(session_->dataRoot, session_->raceFilePath, [&](RaceDocument& doc) {
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

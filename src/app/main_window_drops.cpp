// Files and folders dropped on the window: the race waits while the drop's
// questions are open, then a new boat reopens the race or new pictures
// replace the race's.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "app/file_drops.h"
#include "app/main_window.h"

namespace korvane {

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile());
    event->acceptProposedAction();
    dropPaths(paths);
}

void MainWindow::setDropQuestions(std::unique_ptr<DropQuestions> questions) {
    dropQuestions_ = std::move(questions);
    editing_->setQuestions(dropQuestions_.get());
}

void MainWindow::dropPaths(const QStringList& paths) {
    if (!session() || controller_->loader().busy() || paths.isEmpty()) return;
    // The replay waits while the questions are open, and goes on afterwards
    // only if it was running.
    controller_->pause();
    const std::shared_ptr<const RaceSession> shown = controller_->session();
    FileDrops drops(*dropQuestions_);
    DropOutcome outcome = drops.handle(paths, *shown, !pictures_->catalogue().empty());
    switch (outcome.action) {
        case DropOutcome::Action::ReopenRace:
            controller_->reopen();
            return;
        case DropOutcome::Action::NewPictures:
            pictures_->replaceCatalogue(std::move(outcome.pictures), centralWidget()->width());
            layoutPanels();
            break;
        case DropOutcome::Action::None:
            break;
    }
    controller_->resume();
}

}  // namespace korvane

// The window's hand-overs to other programs and to the user: the error box,
// the screen shot and the retouch picture.
#include <QMessageBox>
#include <filesystem>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/picture_exports.h"

namespace korvane {

namespace {

const QString kProgramName = QStringLiteral("korvane");

}  // namespace

void MainWindow::showError(const QString& message) {
    // Not modal to the application: the replay behind it keeps going.
    auto* box = new QMessageBox(QMessageBox::Warning, kProgramName, message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::takeScreenShot() {
    const QImage shown = grabShownArea(centralWidget(), map_->geometry());
    const PictureExportResult saved = saveBitmap(shown, documentsFolder() / kScreenShotFile);
    std::error_code ec;
    if (saved.ok() && std::filesystem::exists(saved.path, ec)) exportStatus_->handOver(saved.path);
}

void MainWindow::saveRetouchPicture() {
    // A page as drawn; with Auto Trace the map afresh, the replay waiting.
    controller_->pause();
    if (controls_->displayOptions().autoTrace) drawNow();
    const QImage& shown = pages_->page() == Page::Track ? map_->frame() : pages_->bitmap();
    const PictureExportResult saved = saveBitmap(shown, documentsFolder() / kRetouchFile);
    controller_->resume();
    if (!saved.ok()) {
        showError(saved.error);
        return;
    }
    exportStatus_->handOver(saved.path);
}

}  // namespace korvane

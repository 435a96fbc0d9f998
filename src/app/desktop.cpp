#include "app/desktop.h"

#include <QDesktopServices>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

#include "ui_text/documents.h"

namespace korvane {

namespace {

std::optional<std::filesystem::path>& folderSlot() {
    static std::optional<std::filesystem::path> folder;
    return folder;
}

DesktopOpener& openerSlot() {
    static DesktopOpener opener;
    return opener;
}

}  // namespace

std::filesystem::path documentsFolder() {
    auto& folder = folderSlot();
    if (!folder) {
        QString found = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (found.isEmpty()) found = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
        folder = std::filesystem::path(found.toStdString());
        std::error_code ec;
        std::filesystem::create_directories(*folder, ec);
    }
    return *folder;
}

void setDocumentsFolderForTests(const std::filesystem::path& folder) {
    folderSlot() = folder;
}

bool openWithDesktop(const QString& pathOrUrl) {
    const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl)
                                                               : QUrl::fromLocalFile(pathOrUrl);
    // Whoever asks, the desktop is handed documents to show, never a
    // program to run.
    if (url.isLocalFile() &&
        isProgramFile(std::filesystem::path(QFile::encodeName(url.toLocalFile()).toStdString())))
        return false;
    if (const DesktopOpener& opener = openerSlot()) return opener(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

void setDesktopOpenerForTests(DesktopOpener opener) {
    openerSlot() = std::move(opener);
}

}  // namespace korvane

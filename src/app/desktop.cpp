#include "app/desktop.h"

#include <QDesktopServices>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

#include "base/bounded_process.h"
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

DesktopHandlerQuery& handlerQuerySlot() {
    static DesktopHandlerQuery query;
    return query;
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

bool desktopHasHandlerFor(const std::filesystem::path& file) {
    if (const DesktopHandlerQuery& query = handlerQuerySlot()) return query(file);
    const QString type =
        QMimeDatabase()
            .mimeTypeForFile(QFile::decodeName(QByteArray::fromStdString(file.string())),
                             QMimeDatabase::MatchExtension)
            .name();
    ProcessLimits limits;
    limits.time = std::chrono::milliseconds(3000);
    limits.outputBytes = 4096;
    const ProcessResult answer =
        runBoundedProcess({"xdg-mime", "query", "default", type.toStdString()}, limits);
    return answer.outcome == ProcessResult::Outcome::Finished && answer.exitStatus == 0 &&
           !QString::fromStdString(answer.output).trimmed().isEmpty();
}

void setDesktopHandlerQueryForTests(DesktopHandlerQuery query) {
    handlerQuerySlot() = std::move(query);
}

}  // namespace korvane

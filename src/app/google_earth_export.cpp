#include "app/google_earth_export.h"

#include <QCoreApplication>

#include "app/desktop.h"
#include "base/program_folders.h"
#include "export/kml_export.h"
#include "session/race_session.h"
#include "ui_text/message_table.h"

namespace korvane {

GoogleEarthExport::GoogleEarthExport(Window window, QObject* parent)
    : QObject(parent), window_(std::move(window)) {}

QString GoogleEarthExport::hideQuestion(Language language) {
    return QString::fromUtf8(messageText(Message::HideUnfocusedBoats, language));
}

std::filesystem::path GoogleEarthExport::iconFolder(const std::filesystem::path& dataRoot) {
    const std::filesystem::path besideProgram =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "ya";
    std::error_code ec;
    if (std::filesystem::is_directory(besideProgram, ec)) return besideProgram;
    const std::filesystem::path installed =
        installedShareFolder(besideProgram.parent_path()) / "ya";
    if (std::filesystem::is_directory(installed, ec)) return installed;
    return std::filesystem::absolute(dataRoot / "ya", ec).lexically_normal();
}

void GoogleEarthExport::run(bool presentScene) {
    const RaceSession* session = window_.session();
    if (!session) return;
    window_.stopReplay();
    const Language language = window_.language();
    // Without hidden boats the last answer stands.
    if (session->model.hiddenBoatCount() > 0)
        hideUnfocused_ = window_.askYesNo(hideQuestion(language));

    KmlOptions options;
    options.iconFolder = iconFolder(session->dataRoot);
    options.language = language;
    options.hideUnfocusedBoats = hideUnfocused_;
    const KmlExportResult result =
        presentScene
            ? exportPresentScene(session->model, window_.timeSeconds(), documentsFolder(), options)
            : exportWholeRace(session->model, documentsFolder(), options);
    if (!result.ok()) {
        emit failed(QString::fromStdString(result.error));
        return;
    }
    emit written(result.path);
}

}  // namespace korvane

// The performance report as the window hands it out: the same bytes as
// `korvane-cli report`, written atomically as NoName.csv into the user's
// documents folder, for the desktop's spreadsheet program to open.
#pragma once

#include <QString>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "session/race_session.h"

namespace korvane {

// The two lines the user reads when the report could not be written.
inline const QString kReportNotWrittenMessage =
    QStringLiteral("Excell is already open\r\nClose present Excell and try again.");

// Where the report goes and what opens it; tests put in a folder and an
// opener of their own.
struct ReportTarget {
    std::filesystem::path folder;
    std::function<bool(const QUrl&)> open;
};

// The documents folder and the desktop's handler.
ReportTarget desktopReportTarget();

struct ReportOutcome {
    bool written = false;
    std::filesystem::path file;
};

// Writes the report into target.folder (made when missing). Opening it is
// the caller's next step, once the user has heard the beep.
ReportOutcome writeReport(const RaceSession& session, const ReportTarget& target);

}  // namespace korvane

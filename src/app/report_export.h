// The performance report as the window hands it out: the same bytes as
// `korvane-cli report`, written atomically as NoName.csv into the user's
// documents folder, for the desktop's spreadsheet program to open.
#pragma once

#include <QString>
#include <filesystem>

#include "session/race_session.h"

namespace korvane {

// The two lines the user reads when the report could not be written.
inline const QString kReportNotWrittenMessage =
    QStringLiteral("Excell is already open\r\nClose present Excell and try again.");

struct ReportOutcome {
    bool written = false;
    std::filesystem::path file;
};

// Writes the report into `folder` (made when missing). Opening it is the
// caller's next step, once the user has heard the beep.
ReportOutcome writeReport(const RaceSession& session, const std::filesystem::path& folder);

}  // namespace korvane

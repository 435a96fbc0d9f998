#include "app/report_export.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <system_error>

#include "analysis/performance_report.h"
#include "base/file_io.h"

namespace korvane {

ReportTarget desktopReportTarget() {
    ReportTarget t;
    t.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    t.open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return t;
}

ReportOutcome writeReport(const RaceSession& session, const ReportTarget& target) {
    ReportOutcome outcome;
    if (target.folder.empty()) return outcome;
    std::error_code ec;
    std::filesystem::create_directories(target.folder, ec);
    outcome.file = target.folder / kPerformanceReportFileName;
    outcome.written = writeFileAtomically(
        outcome.file, formatPerformanceReport(session.model, session.course, session.legs));
    return outcome;
}

}  // namespace korvane

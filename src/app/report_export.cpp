#include "app/report_export.h"

#include <system_error>

#include "analysis/performance_report.h"
#include "base/file_io.h"

namespace korvane {

ReportOutcome writeReport(const RaceSession& session, const std::filesystem::path& folder) {
    ReportOutcome outcome;
    if (folder.empty()) return outcome;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    outcome.file = folder / kPerformanceReportFileName;
    outcome.written = writeFileAtomically(
        outcome.file, formatPerformanceReport(session.model, session.course, session.legs));
    return outcome;
}

}  // namespace korvane

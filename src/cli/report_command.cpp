#include "cli/report_command.h"

#include "analysis/performance_report.h"
#include "base/file_io.h"

namespace korvane {

int writeCommandOutput(const std::string& bytes, const CliOptions& options, std::ostream& out,
                       std::ostream& err, const char* what) {
    const auto file = options.value("-o");
    if (!file) {
        out << bytes;
        out.flush();
        return out ? 0 : 1;
    }
    if (!writeFileAtomically(*file, bytes)) {
        err << "korvane-cli: cannot write the " << what << " to " << *file << "\n";
        return 1;
    }
    return 0;
}

int runReport(const RaceSession& session, const CliOptions& options, std::ostream& out,
              std::ostream& err) {
    return writeCommandOutput(formatPerformanceReport(session.model, session.course, session.legs),
                              options, out, err, "report");
}

}  // namespace korvane

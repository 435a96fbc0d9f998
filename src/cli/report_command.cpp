#include "cli/report_command.h"

#include "analysis/performance_report.h"
#include "base/file_io.h"

namespace korvane {

int runReport(const RaceSession& session, const CliOptions& options, std::ostream& out,
              std::ostream& err) {
    const std::string bytes = formatPerformanceReport(session.model, session.course, session.legs);
    const auto file = options.value("-o");
    if (!file) {
        out << bytes;
        out.flush();
        return out ? 0 : 1;
    }
    if (!writeFileAtomically(*file, bytes)) {
        err << "korvane-cli: cannot write the report to " << *file << "\n";
        return 1;
    }
    return 0;
}

}  // namespace korvane

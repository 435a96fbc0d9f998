// korvane-cli report: the performance report of the open race, to a file
// or to stdout.
#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Writes the report to the file after -o (replaced in one step), else to
// `out`. Returns the exit status; a file that cannot be written is reported
// on `err`.
// Writes a command's bytes to `-o` in one step, else to `out`; 0 when done.
int writeCommandOutput(const std::string& bytes, const CliOptions& options, std::ostream& out,
                       std::ostream& err, const char* what);

int runReport(const RaceSession& session, const CliOptions& options, std::ostream& out,
              std::ostream& err);

}  // namespace korvane

// `korvane-cli results`: the final results as an HTML page or a CSV table.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

int runResults(const RaceSession& session, const CliOptions& options, std::ostream& out,
               std::ostream& err);

}  // namespace korvane

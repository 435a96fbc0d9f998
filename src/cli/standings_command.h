// `korvane-cli standings`: who leads at a moment, and by how much.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

int runStandings(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

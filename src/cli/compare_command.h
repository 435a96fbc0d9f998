// `korvane-cli compare`: where the time went between two boats, per leg and
// for the race, as text or JSON.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Throws std::invalid_argument when --boats does not name two boats.
int runCompare(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

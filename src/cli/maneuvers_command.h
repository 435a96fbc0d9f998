// `korvane-cli maneuvers`: every boat's tacks, gybes, turns and roundings
// with what each cost, as a table per boat or as JSON.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Throws std::invalid_argument on any word but --json, before the race is
// opened.
void checkManeuversOptions(const CliOptions& options);

int runManeuvers(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

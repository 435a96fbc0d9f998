// `korvane-cli maneuvers`: every boat's tacks, gybes, turns and roundings
// with what each cost, as a table per boat or as JSON.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

int runManeuvers(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

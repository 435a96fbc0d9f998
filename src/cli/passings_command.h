// `korvane-cli passings`: every boat's mark passings with how each was found
// and the moments that could have been it, as a table or as JSON; with
// --set, --clear or --not-passed it first corrects one passing and keeps
// the correction beside the race file.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

int runPassings(const RaceSession& session, const CliOptions& options, std::ostream& out,
                std::ostream& err);

}  // namespace korvane

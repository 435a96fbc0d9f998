// korvane-cli render: one instant of the Track page as a PNG, or a timing
// of N frames against the cost of merely clearing and copying the image.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Returns the exit status. Throws std::invalid_argument on bad options.
int runRender(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

// korvane-cli video: a film of the Track page over a span of race time,
// with a progress line on stderr; Ctrl+C stops it and leaves no file.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Returns the exit status. Throws std::invalid_argument on bad options.
int runVideo(const RaceSession& session, const CliOptions& options, std::ostream& err);

}  // namespace korvane

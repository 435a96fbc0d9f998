// `korvane-cli info`: the open race as text or as JSON.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

int runInfo(const RaceSession& session, const CliOptions& options, std::ostream& out);

}  // namespace korvane

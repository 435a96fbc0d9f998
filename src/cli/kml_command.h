// korvane-cli kml: the whole race, or the scene at one replay time, as the
// window's Google Earth button writes it.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "session/race_session.h"

namespace korvane {

// Without --at the whole race, with it the present scene at that race time;
// to the file after -o (replaced in one step), else to `out`. --lang en|ja
// picks the descriptions' language (Japanese by default) and
// --hide-unfocused leaves out the boats hidden on the map. Returns the exit
// status; bad options throw std::invalid_argument.
int runKml(const RaceSession& session, const CliOptions& options, std::ostream& out,
           std::ostream& err);

}  // namespace korvane

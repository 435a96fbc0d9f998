// The open race's tables that the standings are worked out from.
#pragma once

#include "analysis/standings.h"
#include "session/race_session.h"

namespace korvane {

inline StandingsSources standingsSources(const RaceSession& session) {
    return {&session.model, &session.course, &session.legs, session.area.plane()};
}

}  // namespace korvane

// The open race's tables as the map is drawn from them; the window and
// korvane-cli both take them from here.
#pragma once

#include "session/race_session.h"
#include "view/scene_input.h"

namespace korvane {

// The session must outlive what is built from the result.
inline SceneSources sceneSources(const RaceSession& session) {
    return {&session.model,
            &session.area,
            &session.coast.coastline,
            &session.coast.landmarks,
            [&session]() -> const ManeuverTable& { return session.maneuvers(); },
            session.legs.lastPointTimes()};
}

}  // namespace korvane

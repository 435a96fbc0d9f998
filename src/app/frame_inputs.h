// What the frame, the time bar and the once-a-second averages take from the
// user's choices and the replay's state, gathered in one place so that the
// window passes values on instead of reading its panels.
#pragma once

#include <optional>
#include <vector>

#include "app/display_options.h"
#include "replay/replay_clock.h"
#include "replay/time_bar_picture.h"
#include "session/race_session.h"
#include "view/boat_now.h"
#include "view/display_state.h"

namespace korvane {

// The frame's state from the options and the clock; the window adds what
// only its panels know (the boat selection, the time bar's height...).
DisplayState frameState(const DisplayOptions& options, const ReplayClock& clock);

// The boats as the averages see them: shown (ticked in the list, else as the
// race file shows them), placed, and their speed and wind angle now.
std::vector<BoatSpeedSample> speedSamplesOf(const RaceModel& model,
                                            const std::vector<BoatNow>& boats,
                                            const std::vector<bool>& checked);

// The time bar's picture of the race: the `reference` boat's stripes and
// the pictures' moments.
TimeBarInput timeBarInputOf(const RaceSession& session, std::optional<int> reference,
                            std::vector<double> pictureTimesSeconds,
                            std::optional<RepeatSpan> repeat);

}  // namespace korvane

#include "view/landmark_light.h"

namespace korvane {

std::vector<LandmarkLight> landmarkLightsAt(const std::vector<Landmark>& landmarks,
                                            std::int64_t tick) {
    std::vector<LandmarkLight> lights;
    lights.reserve(landmarks.size());
    for (std::size_t i = 0; i < landmarks.size(); ++i) {
        const Landmark& l = landmarks[i];
        const LightState state = lightPhase(l, static_cast<int>(i), tick);
        lights.push_back(
            {l.latMinutes, l.lonMinutes, colourValue(state.colour), state.lit, l.size, l.name});
    }
    return lights;
}

bool isNightAt(double secondsOfDay, double sunriseSeconds, double sunsetSeconds) {
    return secondsOfDay < sunriseSeconds || secondsOfDay > sunsetSeconds;
}

}  // namespace korvane

#include "app/frame_inputs.h"

#include "race/race_time.h"
#include "replay/speed_bar.h"
#include "view/viewport.h"

namespace korvane {

DisplayState frameState(const DisplayOptions& o, const ReplayClock& clock) {
    DisplayState d;
    d.northUp = o.northUp;
    d.autoTrace = o.autoTrace;
    d.showName = o.showName;
    d.labelLevel = d.showName ? 1 : 0;
    d.bigBoat = o.bigBoat;
    d.layLine = o.layLine;
    d.compLine = o.compLine;
    d.chart = o.chart;
    d.seaLevel = o.seaLevel;
    d.zoomDivisor = zoomDivisorForPosition(o.zoomPosition);
    d.isNight = clock.isNight();
    d.blinkPhase = clock.blinkPhase();
    d.boatFinished = clock.finishedBoats();
    const SideAverages avg = clock.sideAverages();
    d.avgUpwindSpeedKnots = avg.upwindKnots;
    d.avgDownwindSpeedKnots = avg.downwindKnots;
    d.replaySpeed = clock.speed();
    return d;
}

std::vector<BoatSpeedSample> speedSamplesOf(const RaceModel& model,
                                            const std::vector<BoatNow>& boats,
                                            const std::vector<bool>& checked) {
    std::vector<BoatSpeedSample> samples;
    for (int b = 0; b < model.boatCount() && b < static_cast<int>(boats.size()); ++b) {
        const auto i = static_cast<std::size_t>(b);
        const BoatNow& now = boats[i];
        const bool visible = checked.size() > i ? checked[i] : model.boats[b].visible;
        samples.push_back({visible, now.hasPosition, now.speedKnots, now.windAngleDegrees});
    }
    return samples;
}

TimeBarInput timeBarInputOf(const RaceSession& session, std::optional<int> reference,
                            std::vector<double> pictureTimesSeconds,
                            std::optional<RepeatSpan> repeat) {
    const RaceModel& m = session.model;
    TimeBarInput in;
    in.timelineBeginSeconds = m.race.timelineBegin;
    in.timelineEndSeconds = m.race.timelineEnd;
    in.timelineLengthSeconds = m.race.timelineLength;
    in.windDirectionDegrees = m.race.windDirection;
    // The first boat's stripes while nobody has finished.
    const int boat = reference.value_or(0);
    if (boat < m.boatCount()) in.referenceTrack = &m.boats.at(boat).track;
    in.pictureTimesSeconds = std::move(pictureTimesSeconds);
    in.correctedTime = m.race.timeMode == TimeMode::Corrected;
    in.startSecondsOfDay = startSecondsOfDay(m.race.start);
    in.sunriseSeconds = session.area.sunriseSeconds;
    in.sunsetSeconds = session.area.sunsetSeconds;
    in.repeat = repeat;
    return in;
}

}  // namespace korvane

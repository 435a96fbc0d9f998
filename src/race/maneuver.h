// One tack, gybe, turn or mark rounding of a boat, and what it cost. Found
// once per race opening by analysis/maneuvers.h; the map, the CLI and the
// window read it. It lives beside the model so that the map can draw it
// without knowing how it was found.
#pragma once

#include <optional>
#include <string_view>

namespace korvane {

enum class ManeuverKind { Tack, Gybe, Turn, Rounding };

// "tack", "gybe", "turn", "rounding": the words of the CLI and its JSON.
std::string_view maneuverKindName(ManeuverKind kind);

// Whether the boat was racing: before its own start and after its finish a
// maneuver is shown apart and no figure of the race counts it.
enum class ManeuverPhase { BeforeStart, Racing, AfterFinish };

// Why a maneuver has no loss although it is not a rounding.
enum class LossUnmeasured {
    No,
    NotRacing,        // the window reaches before the start or past the finish
    UnsteadyCourse,   // the course before or after the turn wanders
    AnotherManeuver,  // the window runs into the next or the last maneuver
    Mark,             // the window runs into a mark's passing
    ImpossibleGain,   // the boat would have outsailed its own speed (a GPS step)
};

// "beforeStart", "racing", "afterFinish"; "notRacing", "unsteadyCourse",
// "anotherManeuver", "mark", "impossibleGain" (empty for No): JSON words.
std::string_view maneuverPhaseName(ManeuverPhase phase);
std::string_view lossUnmeasuredName(LossUnmeasured why);

struct Maneuver {
    ManeuverKind kind = ManeuverKind::Turn;
    double timeSeconds = 0;  // race seconds at the middle of the turn
    double latMinutes = 0;   // where the boat was then
    double lonMinutes = 0;
    double courseInDegrees = 0;  // before and after the turn, 0 ... 360
    double courseOutDegrees = 0;
    double turnDegrees = 0;   // signed, positive to starboard; may pass 180
    double speedInKnots = 0;  // where the speed starts to drop
    double speedMinKnots = 0;
    double speedOutKnots = 0;  // once the speed has recovered
    double entrySeconds = 0;   // race seconds of the entry ...
    double exitSeconds = 0;    // ... and of the recovery
    // Distance lost against carrying on at the entry speed and course,
    // measured along the bisector of the entry and exit courses; negative
    // when the maneuver gained. Empty for a rounding: carrying on would sail
    // past the mark, and the legs before and after are sailed at different
    // speeds, so there is nothing fair to measure against.
    std::optional<double> lossMetres;
    std::optional<double> lossBoatLengths;  // empty also when the boat has no length
    // Distance lost against the boat's own median VMG on that kind of leg;
    // empty for a rounding and when the boat sailed no such leg.
    std::optional<double> lossVsMedianVmgMetres;

    ManeuverPhase phase = ManeuverPhase::Racing;
    LossUnmeasured unmeasured = LossUnmeasured::No;

    double durationSeconds() const { return exitSeconds - entrySeconds; }
};

}  // namespace korvane

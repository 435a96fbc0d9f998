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

    double durationSeconds() const { return exitSeconds - entrySeconds; }
};

}  // namespace korvane

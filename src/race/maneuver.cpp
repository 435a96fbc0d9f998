#include "race/maneuver.h"

namespace korvane {

std::string_view maneuverKindName(ManeuverKind kind) {
    switch (kind) {
        case ManeuverKind::Tack:
            return "tack";
        case ManeuverKind::Gybe:
            return "gybe";
        case ManeuverKind::Rounding:
            return "rounding";
        case ManeuverKind::Turn:
            break;
    }
    return "turn";
}

std::string_view maneuverPhaseName(ManeuverPhase phase) {
    switch (phase) {
        case ManeuverPhase::BeforeStart:
            return "beforeStart";
        case ManeuverPhase::AfterFinish:
            return "afterFinish";
        case ManeuverPhase::Racing:
            break;
    }
    return "racing";
}

std::string_view lossUnmeasuredName(LossUnmeasured why) {
    switch (why) {
        case LossUnmeasured::NotRacing:
            return "notRacing";
        case LossUnmeasured::UnsteadyCourse:
            return "unsteadyCourse";
        case LossUnmeasured::AnotherManeuver:
            return "anotherManeuver";
        case LossUnmeasured::Mark:
            return "mark";
        case LossUnmeasured::ImpossibleGain:
            return "impossibleGain";
        case LossUnmeasured::No:
            break;
    }
    return {};
}

}  // namespace korvane

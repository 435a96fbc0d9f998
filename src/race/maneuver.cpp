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

}  // namespace korvane

// What the Compare page writes on its charts, in both languages: the
// headings of its strips, the names of the parts of a leg's difference and
// the notes it shows when there is nothing to draw.
#pragma once

#include "ui_text/language.h"

namespace korvane {

enum class CompareText {
    Speed,          // the speed strip's heading
    MadeGood,       // VMG, VMC on reaches
    Course,         // course over ground
    Windward,       // B's distance to windward of A
    Behind,         // B's seconds behind A
    WhereTimeWent,  // the bar chart's heading
    Start,
    SailingSpeed,
    Angle,
    Maneuvers,
    Rest,
    Total,
    Leg,       // "Leg 1"
    NoLegs,    // no leg both boats sailed
    SameBoat,  // A and B are one boat
};

const char* compareText(CompareText text, Language language);

}  // namespace korvane

// The messages the window shows in boxes and on failure, in both languages,
// like the captions but keyed by what happened rather than by a widget.
#pragma once

#include "ui_text/language.h"

namespace korvane {

enum class Message {
    HideUnfocusedBoats,  // asked before a globe export while boats are hidden
    RewriteRaceFile,     // asked at closing in course-editing mode
    RaceAdminData,       // that question's caption
    NotAnInteger,        // "%1": the text that is no integer
    NoWindData,          // saving drawn wind data before any was drawn
    VideoLength,         // "%1": minutes and seconds of the film planned
    VideoSpanEmpty,      // a film whose span ends before it begins
    VideoTimeLeft,       // "%1": minutes and seconds until the film is made
    VideoFailed,         // "%1": the file, "%2": why
    ExportSaved,         // "%1": the file written for another program
    ExportNoViewer,      // the same, "%2" its extension, when nothing opens it
    OpeningWarned,       // "%1": how many warnings an opening gave, "%2": the first
    // Mark passings: the words of their facts, and a failed save ("%1": the file).
    PassingChosen,
    PassingCandidate,
    PassingCrossing,
    PassingClosest,
    PassingPinned,
    PassingNotPassed,
    PassingCorrected,
    PassingsNotSaved,
};

const char* messageText(Message message, Language language);

// What a globe file's balloon says about a boat at one instant: each fact's
// name before its value and its unit after it.
enum class BoatFact { DateTime, Latitude, Longitude, Speed, Heading };
struct FactLabel {
    const char* name;
    const char* unit;
};
FactLabel factLabel(BoatFact fact, Language language);

}  // namespace korvane

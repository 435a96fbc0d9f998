// Small edits of a race file through its document, so every other line
// keeps its bytes: a boat added from a dropped log, the picture settings.
// Course editing adds its own edits beside these.
#pragma once

#include <string>
#include <string_view>

#include "race/race_document.h"

namespace korvane {

// Keyword of a race file line (its first field, upper case); "" for none.
std::string lineKeyword(std::string_view line);

// "BN,log,name,factor". A comma or line break in the name would split or
// end the line, so each becomes a blank.
std::string boatLineText(std::string_view logFile, std::string_view boatName, double tcf);

// Whether a log file name can stand in a BN line at all.
bool fitsBoatLine(std::string_view logFile);

// Adds the boat after the last BN line, so it joins the last class as it
// would at the end of the file; at the end when the file has no boat.
// False (and nothing changed) when the log's name does not fit a BN line.
bool addBoatLine(RaceDocument& doc, std::string_view logFile, std::string_view boatName,
                 double tcf);

// "PIC,folder,offset,size" in place of the first PIC line, or at the end
// when there is none. A line that already says the same is left alone.
void setPictureLine(RaceDocument& doc, std::string_view folder, double offsetSeconds, int size);

}  // namespace korvane

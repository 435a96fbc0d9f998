// What the window does once a log has been read: loggers that download
// their own files (gdb, mps, trl) get a short beep, as their own software
// gives one; a short log of the other formats puts the map's zoom divisor
// back to 1, so that a few fixes are not shown through a zoom meant for a
// whole race. Decided from the log's format and fix count alone.
#pragma once

#include <string_view>

namespace korvane {

bool beepsAfterReading(std::string_view logFormat);

// Fewer than this many fixes from a zoom-resetting format reset the zoom.
inline constexpr int kZoomResetBelowFixes = 100;

bool resetsZoomAfterReading(std::string_view logFormat, int fixCount);

}  // namespace korvane

// The number formats of the performance report. They cut digits rather than
// round, the way the report has always been read by the coaches.
#pragma once

#include <string>

namespace korvane {

std::string formatWhole(double value);         // rounded, halves to even
std::string formatFourDecimals(double value);  // at most 4 digits after the point, cut
std::string formatFiveChars(double value);     // the first 5 characters
std::string formatDegrees(double value);       // integer part, cut
// The same with "+" in front of values above 0.
std::string withSign(double value, const std::string& text);

// A text cell of the report (a name, a heading made of names): "," would
// start a new column, so it becomes the full-width comma "，" (U+FF0C). The
// spreadsheet the report is handed to would run a cell beginning "=", "+",
// "-" or "@" (or a tab or CR) as a formula, so such a cell is shown as text
// by a leading "'"; a cell holding '"' or a line break is quoted, its quotes
// doubled, so it cannot run into the next cell or row. Number cells never
// come here: "-3.2" is a number.
std::string reportField(const std::string& text);

}  // namespace korvane

// The small pieces of text a KML file is made of: escaped names, the race
// folder's name, numbers in the forms the file uses, and the boat icon that
// matches a heading.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Text made safe for an XML element or attribute: &, <, >, " and ' become
// entities, and control characters XML 1.0 cannot carry are dropped.
std::string escapeXml(std::string_view text);

// The root folder's name: the caption after its first space, cut before its
// first "." (empty when the caption holds no ".").
std::string kmlRaceName(std::string_view caption);

// Degrees from minutes of arc, at up to 15 significant digits.
std::string kmlDegrees(double minutes);
// Knots to two decimals, halves up.
std::string kmlSpeed(double speedKnots);
// Whole degrees, cut toward zero.
std::string kmlHeading(double headingDegrees);

// The heading of the boat icon: the nearest multiple of 10 (halves up),
// 360 written as 0.
int iconHeading(double headingDegrees);

}  // namespace korvane

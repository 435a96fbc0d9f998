// The small pieces of text a KML file is made of: escaped names, the race
// folder's name, numbers in the forms the file uses, and the boat icon that
// matches a heading.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Text made safe for an XML element or attribute: &, <, >, " and ' become
// entities; control characters XML 1.0 cannot carry, Unicode non-characters
// (U+FFFE, U+FFFF, ...) and bytes that are not UTF-8 are dropped, so the
// file stays well-formed UTF-8 whatever a name holds.
std::string escapeXml(std::string_view text);

// A local file as a "file://" URL: every byte of the path but letters,
// digits, "-", ".", "_", "~" and "/" percent-encoded. The URL is plain
// ASCII, so a name that is not UTF-8 (a folder unpacked with CP932 names)
// still gives a well-formed file and the very bytes of the name.
std::string fileUrl(std::string_view absolutePath);

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

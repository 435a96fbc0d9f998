// Text as the race folders hold it: CP932 or UTF-8, CR LF or LF line ends.
// Everything inside the program is UTF-8; this is the one place that decides.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

enum class TextEncoding { Utf8, Cp932 };

bool isValidUtf8(std::string_view bytes);

// Valid UTF-8 (a BOM is dropped) stays as it is; anything else is taken as
// CP932. Bytes CP932 cannot map become U+FFFD rather than stopping the read.
std::string decodeText(std::string_view bytes, TextEncoding* detected = nullptr);

// Bytes known to be in `encoding`, as UTF-8.
std::string decodeFrom(std::string_view bytes, TextEncoding encoding);

// The inverse, for files written back in the encoding they were read in.
std::string encodeText(std::string_view utf8, TextEncoding encoding);

// Splits at LF, dropping a CR right before it. A final line without a line
// end counts; a final line end does not make an empty extra line.
std::vector<std::string_view> splitLines(std::string_view text);

// Trims leading and trailing blanks and control characters (everything up to
// and including U+0020), the way the race officers' tools trim fields.
std::string_view trimBlanks(std::string_view text);

std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);

// Number of characters (code points) of a UTF-8 text; captions count
// characters, not bytes.
std::size_t utf8Length(std::string_view text);

}  // namespace korvane

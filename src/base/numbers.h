// Number conversions shared by every reader and writer. None of them depends
// on the C locale: the race files always use "." as decimal point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double x);
std::int64_t roundHalfEvenToInt(double x);

// A whole decimal number with optional sign; nothing else in the text.
std::optional<std::int64_t> parseInteger(std::string_view text);
// An int32 as the race file needs it; out-of-range counts as not a number.
std::optional<std::int32_t> parseInt32(std::string_view text);
// A decimal number ("12", "-3.5", ".5", "1e3"), nothing else in the text.
std::optional<double> parseDouble(std::string_view text);

// The shortest general form that reads back the same at up to 15 significant
// digits: "12", "0.5", "-3.25", "1E-5" style exponents for tiny or huge values.
std::string formatNumber(double value);
// formatNumber's text appended to `out`, without a string of its own for the
// common numbers (writers of large files use this one).
void appendNumber(std::string& out, double value);
// The room writeNumber may use, more than its longest text.
inline constexpr std::size_t kNumberChars = 48;
// formatNumber's text written at `at`, which has kNumberChars of room;
// returns the end of the text.
char* writeNumber(char* at, double value);

}  // namespace korvane

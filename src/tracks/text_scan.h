// Small byte-level helpers of the text log readers: ASCII case folding and
// searches that never leave the view they are given.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace korvane {

inline char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// First position of `lowerNeedle` (given in lower case) in `hay`, letter case
// ignored; npos when absent.
inline std::size_t findNoCase(std::string_view hay, std::string_view lowerNeedle,
                              std::size_t from = 0) {
    if (lowerNeedle.empty() || hay.size() < lowerNeedle.size()) return std::string_view::npos;
    const std::size_t last = hay.size() - lowerNeedle.size();
    const char first = lowerNeedle[0];
    const bool firstIsLetter = first >= 'a' && first <= 'z';
    for (std::size_t i = from; i <= last; ++i) {
        if (!firstIsLetter) {
            // No case to fold: let memchr find the candidates.
            const void* hit = std::memchr(hay.data() + i, first, last - i + 1);
            if (!hit) break;
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
        } else if (foldAscii(hay[i]) != first) {
            continue;
        }
        std::size_t k = 1;
        while (k < lowerNeedle.size() && foldAscii(hay[i + k]) == lowerNeedle[k]) ++k;
        if (k == lowerNeedle.size()) return i;
    }
    return std::string_view::npos;
}

inline bool equalsNoCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (foldAscii(text[i]) != lowerWord[i]) return false;
    return true;
}

// The line that starts at `pos`, without its "\n" or "\r\n"; `pos` moves to
// the next one (call while pos < text.size()). Lines are taken where they
// lie: a log of a billion empty lines needs no table of a billion views.
inline std::string_view nextLine(std::string_view text, std::size_t& pos) {
    const std::size_t newline = text.find('\n', pos);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    std::string_view line = text.substr(pos, end - pos);
    pos = newline == std::string_view::npos ? text.size() : newline + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// substr that clamps instead of throwing, as the log formats' "characters
// 3-4 of the field" rules need on short fields.
inline std::string_view clampedSub(std::string_view text, std::size_t pos,
                                   std::size_t length = std::string_view::npos) {
    if (pos >= text.size()) return {};
    return text.substr(pos, length);
}

}  // namespace korvane

#include "export/kml_text.h"

#include <cmath>

#include "base/numbers.h"

namespace korvane {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text` and
// its code point; 0 when the bytes there are not UTF-8 (a stray
// continuation, an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::size_t utf8Sequence(std::string_view text, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    if (codePoint < least || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

// Code points Unicode keeps for no character at all; viewers refuse a file
// holding U+FFFE or U+FFFF.
bool isNonCharacter(char32_t codePoint) {
    return (codePoint >= 0xFDD0 && codePoint <= 0xFDEF) || (codePoint & 0xFFFE) == 0xFFFE;
}

}  // namespace

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, codePoint);
        if (length == 0) {
            text.remove_prefix(1);  // not UTF-8: nothing a viewer could show
            continue;
        }
        const char c = text.front();
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // A stray control character would make the whole file
                // unreadable to an XML parser; it carries nothing a viewer
                // could show.
                if (codePoint < 0x20 && c != '\t') break;
                if (isNonCharacter(codePoint)) break;
                out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

std::string fileUrl(std::string_view absolutePath) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    url.reserve(url.size() + absolutePath.size() * 3);
    for (const char c : absolutePath) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                           (b >= '0' && b <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[b >> 4];
            url += kHex[b & 0x0F];
        }
    }
    return url;
}

std::string kmlRaceName(std::string_view caption) {
    const std::size_t space = caption.find(' ');
    if (space != std::string_view::npos) caption.remove_prefix(space + 1);
    const std::size_t dot = caption.find('.');
    if (dot == std::string_view::npos) return {};
    return std::string(caption.substr(0, dot));
}

std::string kmlDegrees(double minutes) {
    return formatNumber(minutes / 60);
}

std::string kmlSpeed(double speedKnots) {
    return formatNumber(std::trunc(speedKnots * 100 + 0.5) / 100);
}

std::string kmlHeading(double headingDegrees) {
    if (!std::isfinite(headingDegrees)) return "0";
    return std::to_string(static_cast<long long>(std::trunc(headingDegrees)));
}

int iconHeading(double headingDegrees) {
    if (!std::isfinite(headingDegrees)) return 0;
    const long long tens = static_cast<long long>(std::trunc(headingDegrees / 10 + 0.5));
    // Headings outside 0 ... 360 still name one of the 36 icons.
    return static_cast<int>(((tens * 10) % 360 + 360) % 360);
}

}  // namespace korvane

#include "export/kml_text.h"

#include <cmath>

#include "base/numbers.h"

namespace korvane {

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
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
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') break;
                out += c;
        }
    }
    return out;
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

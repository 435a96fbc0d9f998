#include "analysis/report_format.h"

#include "base/numbers.h"

namespace korvane {

std::string formatWhole(double value) {
    return std::to_string(roundHalfEvenToInt(value));
}

std::string formatFourDecimals(double value) {
    std::string text = formatNumber(value);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return text;
    text += "00000";
    return text.substr(0, point + 5);
}

std::string formatFiveChars(double value) {
    return formatNumber(value).substr(0, 5);
}

std::string formatDegrees(double value) {
    const std::string text = formatNumber(value);
    return text.substr(0, text.find('.'));
}

std::string withSign(double value, const std::string& text) {
    return value > 0 ? "+" + text : text;
}

std::string reportField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ',')
            out += "\xEF\xBC\x8C";
        else
            out += c;
    }
    return out;
}

}  // namespace korvane

#include "analysis/report_format.h"

#include <cmath>
#include <string_view>

#include "base/numbers.h"

namespace korvane {

namespace {

// The general text the cut formats start from. A value too small to show a
// digit in four decimals would be written with an exponent, and cutting
// that ("-7.105427357601E-15" to "-7.1054") shows a number that is not
// there: such a value is 0.
std::string generalText(double value) {
    return std::fabs(value) < 0.0001 ? std::string("0") : formatNumber(value);
}

}  // namespace

std::string formatWhole(double value) {
    return std::to_string(roundHalfEvenToInt(value));
}

std::string formatFourDecimals(double value) {
    std::string text = generalText(value);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return text;
    text += "00000";
    return text.substr(0, point + 5);
}

std::string formatFiveChars(double value) {
    return generalText(value).substr(0, 5);
}

std::string formatDegrees(double value) {
    const std::string text = generalText(value);
    return text.substr(0, text.find('.'));
}

std::string withSign(double value, const std::string& text) {
    return value > 0 ? "+" + text : text;
}

std::string reportField(const std::string& text) {
    std::string cell;
    cell.reserve(text.size() + 1);
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        cell += '\'';
    for (char c : text) {
        if (c == ',')
            cell += "\xEF\xBC\x8C";
        else
            cell += c;
    }
    if (cell.find_first_of("\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace korvane

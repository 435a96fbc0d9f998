#include "race/race_time.h"

#include <cmath>

#include "base/numbers.h"
#include "base/text.h"

namespace korvane {

namespace {

// Reads an unsigned decimal run of 1..max digits at text[pos].
bool readNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    const std::size_t begin = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' &&
           pos - begin < static_cast<std::size_t>(maxDigits)) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > begin;
}

bool parseDate(std::string_view text, CalendarFields& f) {
    std::size_t pos = 0;
    char sep = 0;
    if (!readNumber(text, pos, 4, f.year) || pos >= text.size()) return false;
    sep = text[pos];
    if (sep != '/' && sep != '-') return false;
    ++pos;
    if (!readNumber(text, pos, 2, f.month) || pos >= text.size() || text[pos] != sep) return false;
    ++pos;
    if (!readNumber(text, pos, 2, f.day) || pos != text.size()) return false;
    // Two-digit years read as this century's, as the date pickers do.
    if (text.find(sep) <= 2) f.year += f.year < 50 ? 2000 : 1900;
    return true;
}

bool parseTime(std::string_view text, CalendarFields& f) {
    std::size_t pos = 0;
    if (!readNumber(text, pos, 2, f.hour) || pos >= text.size() || text[pos] != ':') return false;
    ++pos;
    if (!readNumber(text, pos, 2, f.minute)) return false;
    if (pos == text.size()) return true;
    if (text[pos] != ':') return false;
    ++pos;
    if (!readNumber(text, pos, 2, f.second)) return false;
    if (pos == text.size()) return true;
    if (text[pos] != '.') return false;
    ++pos;
    const std::size_t begin = pos;
    int ms = 0, digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (digits < 3) {
            ms = ms * 10 + (text[pos] - '0');
            ++digits;
        }
        ++pos;
    }
    if (pos == begin || pos != text.size()) return false;
    while (digits++ < 3) ms *= 10;
    f.millisecond = ms;
    return true;
}

}  // namespace

std::optional<Timestamp> parseTimestamp(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    CalendarFields f;
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        if (text.find(':') != std::string_view::npos) {
            if (!parseTime(text, f)) return std::nullopt;
        } else if (!parseDate(text, f)) {
            return std::nullopt;
        }
    } else {
        if (!parseDate(text.substr(0, space), f)) return std::nullopt;
        if (!parseTime(trimBlanks(text.substr(space + 1)), f)) return std::nullopt;
    }
    return toTimestamp(f);
}

int secondsBetween(Timestamp a, Timestamp b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return kSecondsBetweenFailed;
    const double diffDays = b - a;
    const double absSeconds = std::fabs(diffDays) * kSecondsPerDay;
    if (absSeconds < 0.001) return 0;
    const double whole = std::trunc(absSeconds + 0.5);
    if (whole > 2.0e9) return kSecondsBetweenFailed;
    const int s = static_cast<int>(whole);
    return diffDays < 0 ? -s : s;
}

std::string normalizeLogDate(std::string_view text, Timestamp raceDate) {
    if (text.find('-') == std::string_view::npos) return std::string(text);
    std::string out(text);
    for (char& c : out)
        if (c == '-') c = '/';
    const auto date = parseTimestamp(out);
    if (date && std::fabs(*date - raceDate) >= 365.0) return "2000/1/1";
    return out;
}

}  // namespace korvane

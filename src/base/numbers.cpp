#include "base/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace korvane {

double roundHalfEven(double x) {
    return std::nearbyint(x);
}

std::int64_t roundHalfEvenToInt(double x) {
    const double r = std::nearbyint(x);
    if (!(r > -9.2e18 && r < 9.2e18)) return 0;
    return static_cast<std::int64_t>(r);
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int32_t> parseInt32(std::string_view text) {
    const auto v = parseInteger(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
        *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<double> parseDouble(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

namespace {

// The common case of formatNumber without a printf per digit count: the value
// rounded once to 15 significant digits, trailing zeros dropped, written out
// in full. Exports write millions of coordinates through here. nullopt when
// the number wants an exponent.
std::optional<std::string> plainNumber(double value) {
    char sci[40];
    const auto [end, ec] =
        std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
    if (ec != std::errc{}) return std::nullopt;
    // "d.dddddddddddddde+xx"
    const char* e = std::find(sci, end, 'e');
    if (e == end || e - sci != 16) return std::nullopt;
    int exponent = 0;
    const char* x = e + 1;
    if (x < end && *x == '+') ++x;
    if (std::from_chars(x, end, exponent).ec != std::errc{}) return std::nullopt;
    if (exponent <= -5 || exponent >= 15) return std::nullopt;
    char digits[15];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, 14);
    int count = 15;
    while (count > 1 && digits[count - 1] == '0') --count;

    std::string text;
    text.reserve(24);
    if (value < 0) text += '-';
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits, static_cast<std::size_t>(count));
    } else if (count <= exponent + 1) {
        text.append(digits, static_cast<std::size_t>(count));
        text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        text.append(digits, static_cast<std::size_t>(exponent + 1));
        text += '.';
        text.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
    }
    return text;
}

}  // namespace

std::string formatNumber(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    if (auto plain = plainNumber(value)) return std::move(*plain);
    char buffer[64];
    // Fewest digits (up to 15) that give back the value rounded to 15 digits.
    int digits = 1;
    for (; digits <= 15; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
        char check[64];
        std::snprintf(check, sizeof check, "%.15G", value);
        if (std::strtod(buffer, nullptr) == std::strtod(check, nullptr)) break;
    }
    digits = std::min(digits, 15);
    // %G takes an exponent as soon as it reaches the digit count ("1E+01"
    // for 10); whole numbers up to 15 digits and fractions down to 0.0001
    // are written out.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.*E", digits - 1, value);
    const int exponent = std::atoi(std::strchr(scientific, 'E') + 1);
    if (exponent > -5 && exponent < 15) {
        std::snprintf(buffer, sizeof buffer, "%.*f", std::max(digits - 1 - exponent, 0), value);
        return buffer;
    }
    // %G writes "1E-05"; drop the exponent's leading zeros and "+".
    std::string text(buffer);
    const std::size_t e = text.find('E');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        std::string sign;
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            if (exponent[0] == '-') sign = "-";
            exponent.erase(0, 1);
        }
        while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
        text = mantissa + "E" + sign + exponent;
    }
    return text;
}

}  // namespace korvane

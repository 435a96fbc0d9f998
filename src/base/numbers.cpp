#include "base/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
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

// The 15 significant digits of |value| (correctly rounded, as %.14E gives
// them) and the decimal exponent of the first.
struct Digits15 {
    std::int64_t digits = 0;  // 10^14 <= digits < 10^15
    int exponent = 0;
};

constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The least of 1E-4, 1E-3, ... 1E14 that a magnitude of that decade reaches:
// [e + 4] for decade e, the negative ones as 1 / 10^-e gives them.
constexpr std::array<double, 19> kDecadeFloors = [] {
    std::array<double, 19> floors{};
    for (int e = -4; e <= 14; ++e)
        floors[static_cast<std::size_t>(e + 4)] =
            e >= 0 ? kPowersOfTen[static_cast<std::size_t>(e)]
                   : 1 / kPowersOfTen[static_cast<std::size_t>(-e)];
    return floors;
}();

double decadeFloor(int exponent) {
    return kDecadeFloors[static_cast<std::size_t>(exponent + 4)];
}

// The decade of a magnitude from 1E-4 to below 1E15: first guessed from its
// binary exponent (off by one at most), then settled against the floors.
int decadeOf(double magnitude) {
    const int binary =
        static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    // floor(binary * log10(2)), exact over this range.
    int exponent = std::clamp((binary * 78913) >> 18, -4, 14);
    while (exponent < 14 && magnitude >= decadeFloor(exponent + 1)) ++exponent;
    while (exponent > -4 && magnitude < decadeFloor(exponent)) --exponent;
    return exponent;
}

// One multiplication by an exact power of ten, for numbers from 1E-4 to
// below 1E15. The product is rounded once, by at most 1/16 (it is below
// 2^50); only when its fraction lies close to a half can the rounding
// to the 15th digit differ from the exact value's, and then the fused
// multiply-add gives back exactly what the product lost. nullopt on an exact
// tie (the printed digits settle it) or outside that range.
std::optional<Digits15> scaledDigits(double magnitude) {
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) return std::nullopt;
    const int exponent = decadeOf(magnitude);
    const double factor = kPowersOfTen[static_cast<std::size_t>(14 - exponent)];
    const double scaled = magnitude * factor;
    const auto whole = static_cast<std::int64_t>(scaled);
    // Exact: the product is above 2^46, so its fraction has few bits.
    const double fraction = scaled - static_cast<double>(whole);
    Digits15 d{whole + (fraction > 0.5 ? 1 : 0), exponent};
    // The product's last bit: the product is off the exact one by half of
    // it at most, so only a fraction closer than that to a half needs the
    // lost part (rarely: a branch taken at random costs more than it).
    const double lastBit =
        std::bit_cast<double>(std::bit_cast<std::uint64_t>(scaled) & 0x7ff0'0000'0000'0000) *
        0x1p-52;
    if (std::fabs(fraction - 0.5) < lastBit) {
        const double lost = std::fma(magnitude, factor, -scaled);
        const double toHalf = 0.5 - fraction;  // exact too
        if (lost == toHalf) return std::nullopt;
        d.digits = whole + (lost > toHalf ? 1 : 0);
    }
    if (d.digits >= 1'000'000'000'000'000) {
        d.digits /= 10;
        ++d.exponent;
    }
    if (d.digits < 100'000'000'000'000) return std::nullopt;
    return d;
}

std::optional<Digits15> printedDigits(double magnitude) {
    char sci[40];
    const auto [end, ec] =
        std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 14);
    if (ec != std::errc{}) return std::nullopt;
    // "d.dddddddddddddde+xx"
    const char* e = std::find(sci, end, 'e');
    if (e == end || e - sci != 16) return std::nullopt;
    Digits15 d;
    const char* x = e + 1;
    if (x < end && *x == '+') ++x;
    if (std::from_chars(x, end, d.exponent).ec != std::errc{}) return std::nullopt;
    for (const char* c = sci; c < e; ++c)
        if (*c != '.') d.digits = d.digits * 10 + (*c - '0');
    return d;
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writePair(char* at, std::uint32_t twoDigits) {
    std::memcpy(at, kPairs + 2 * twoDigits, 2);
}

void writeFour(char* at, std::uint32_t fourDigits) {
    writePair(at, fourDigits / 100);
    writePair(at + 2, fourDigits % 100);
}

// The common case of formatNumber without a printf per digit count: the value
// rounded once to 15 significant digits, trailing zeros dropped, written out
// in full. Exports write millions of coordinates through here. nullptr (and
// nothing written) when the number wants an exponent.
char* writePlainNumber(char* at, double value) {
    auto d = scaledDigits(std::fabs(value));
    if (!d) d = printedDigits(std::fabs(value));
    if (!d || d->exponent <= -5 || d->exponent >= 15) return nullptr;
    // 15 digits and room to copy them 16 at a time from any start.
    char digits[32];
    // Split so that no division waits for another for long.
    const auto high = static_cast<std::uint32_t>(d->digits / 100'000'000);
    const auto low = static_cast<std::uint32_t>(d->digits % 100'000'000);
    digits[0] = static_cast<char>('0' + high / 1'000'000);
    writePair(digits + 1, high / 10'000 % 100);
    writeFour(digits + 3, high % 10'000);
    writeFour(digits + 7, low / 10'000);
    writeFour(digits + 11, low % 10'000);
    const int exponent = d->exponent;
    int count = 15;
    while (count > 1 && digits[count - 1] == '0') --count;

    // The copies below write up to 16 bytes past their digits; kNumberChars
    // leaves room for that.
    char* p = at;
    if (value < 0) *p++ = '-';
    if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = 1; i < -exponent; ++i) *p++ = '0';
        std::memcpy(p, digits, 16);
        p += count;
    } else if (count <= exponent + 1) {
        std::memcpy(p, digits, 16);
        p += count;
        for (int i = count; i <= exponent; ++i) *p++ = '0';
    } else {
        std::memcpy(p, digits, 16);
        p += exponent + 1;
        *p++ = '.';
        std::memcpy(p, digits + exponent + 1, 16);
        p += count - exponent - 1;
    }
    return p;
}

}  // namespace

char* writeNumber(char* at, double value) {
    if (char* end = writePlainNumber(at, value)) return end;
    const std::string text = formatNumber(value);
    return std::copy(text.begin(), text.end(), at);
}

void appendNumber(std::string& out, double value) {
    char text[kNumberChars];
    out.append(text, static_cast<std::size_t>(writeNumber(text, value) - text));
}

std::string formatNumber(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    char plain[kNumberChars];
    if (const char* end = writePlainNumber(plain, value))
        return std::string(plain, static_cast<std::size_t>(end - plain));
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

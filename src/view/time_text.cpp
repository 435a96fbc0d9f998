#include "view/time_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace korvane {

std::string formatReplayTime(double t) {
    if (!std::isfinite(t)) return "0";
    const double a = std::min(std::abs(t), 1e12);
    std::int64_t n = static_cast<std::int64_t>(a);
    if (t < 0) n += 1;
    char buf[48];
    if (n <= 59) {
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(n));
    } else if (n < 3001) {
        std::snprintf(buf, sizeof buf, "%02lld:%02lld", static_cast<long long>(n / 60),
                      static_cast<long long>(n % 60));
    } else {
        const std::int64_t rest = n % 3600;
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", static_cast<long long>(n / 3600),
                      static_cast<long long>(rest / 60), static_cast<long long>(rest % 60));
    }
    return buf;
}

std::string displayNumber(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return buf;
}

std::string formatTimeOfDay(int s) {
    s %= 86400;
    if (s < 0) s += 86400;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

}  // namespace korvane

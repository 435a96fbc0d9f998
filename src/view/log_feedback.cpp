#include "view/log_feedback.h"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

constexpr std::array<std::string_view, 3> kBeepingFormats{"gdb", "mps", "trl"};
constexpr std::array<std::string_view, 5> kZoomResettingFormats{"gpx", "trb", "dtr", "trk", "log"};

template <class Table>
bool listed(const Table& table, std::string_view format) {
    return std::find(table.begin(), table.end(), format) != table.end();
}

}  // namespace

bool beepsAfterReading(std::string_view logFormat) {
    return listed(kBeepingFormats, logFormat);
}

bool resetsZoomAfterReading(std::string_view logFormat, int fixCount) {
    return fixCount < kZoomResetBelowFixes && listed(kZoomResettingFormats, logFormat);
}

}  // namespace korvane

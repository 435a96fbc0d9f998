#include "app/window_font.h"

#include <cmath>

namespace korvane {

int windowFontPoints(double dotsPerInch) {
    if (!(dotsPerInch > 0)) return 9;
    return static_cast<int>(std::nearbyint(864 / dotsPerInch));
}

}  // namespace korvane

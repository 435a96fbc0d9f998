// The window's text size follows the screen's dots per inch, so the panels
// keep their proportions on a high-density screen.
#pragma once

namespace korvane {

// Points for a screen of `dotsPerInch`: 9 at 96 dpi, 7 at 120.
int windowFontPoints(double dotsPerInch);

}  // namespace korvane

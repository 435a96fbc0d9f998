// The arithmetic of the Analysis page's three scatter figures (whole race,
// upwind legs, downwind legs): which boats a figure plots, its axis ranges,
// the plot box, the grid steps and the fan of equal-speed lines. No drawing
// here; analysis_page.h paints what this works out.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <optional>
#include <vector>

#include "analysis/leg_analysis.h"

namespace korvane {

enum class Figure { WholeRace, Upwind, Downwind };
inline constexpr std::array<Figure, 3> kFigures{Figure::WholeRace, Figure::Upwind,
                                                Figure::Downwind};

// One boat's point in a figure: metres sailed across, seconds taken up.
struct FigurePoint {
    double distanceMetres = 0;
    double timeSeconds = 0;
};

// The boat's point when it has one worth plotting: both values above 0, the
// whole race only for a finisher, the leg totals only when every leg of
// that kind was sailed.
std::optional<FigurePoint> figurePoint(Figure figure, const BoatLegResult& result);
// Whether a shown boat's point sets the figure's axis ranges: the whole race
// and the upwind figure leave out boats without a start crossing.
bool setsAxisRanges(Figure figure, const BoatLegResult& result);

// The axis ranges over the boats that set them; a span below 100 (metres or
// seconds) is widened to 100 about its centre. Nothing when no boat counts.
struct FigureRanges {
    double dMin = 0, dMax = 0, tMin = 0, tMax = 0;
    double dCentre() const { return (dMin + dMax) / 2; }
    double tCentre() const { return (tMin + tMax) / 2; }
};
std::optional<FigureRanges> figureRanges(const std::vector<FigurePoint>& points);

// Where a figure stands on a page of width x height, and how values map
// into its plot box: the data fill the middle three quarters of the box.
struct FigureFrame {
    QRect box;  // plot box; right = box.left() + box.width()
    QPoint origin;
    int quadrantWidth = 0;
    FigureRanges ranges;
    double sx = 1, sy = 1;  // pixels per metre, per second
    QPoint centre;
    double dLeft = 0, dRight = 0, tBottom = 0, tTop = 0;  // values at the box's edges

    int left() const { return box.left(); }
    int right() const { return box.left() + box.width(); }
    int top() const { return box.top(); }
    int bottom() const { return box.top() + box.height(); }
    int xOf(double metres) const;
    int yOf(double seconds) const;
    bool strictlyInside(QPoint p) const {
        return p.x() > left() && p.x() < right() && p.y() > top() && p.y() < bottom();
    }
};

// noteHeight is the corrected-time note band above the figures (0 without).
FigureFrame figureFrame(Figure figure, int width, int height, int noteHeight,
                        const FigureRanges& ranges);

// Grid step for a span: a power of ten, or 2 or 5 times one.
double gridStep(double span);

// The line of equal average speed through the box, clipped to its edges;
// nothing when it misses the box.
struct FanLine {
    QPoint from, to;
};
std::optional<FanLine> fanLine(const FigureFrame& frame, double knots);

}  // namespace korvane

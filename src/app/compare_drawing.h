// The Compare page's picture: five strips on one time axis (speed, speed
// made good, course, B's distance to windward of A, B's seconds behind A)
// over a stacked bar per leg of where B's time went against A's. Drawn on
// any QPainter, so a test or a screenshot needs no widget.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

#include "analysis/compare_series.h"
#include "analysis/leg_breakdown.h"
#include "ui_text/language.h"

namespace korvane {

struct CompareFigure {
    const CompareSeries* series = nullptr;
    const RaceBreakdown* breakdown = nullptr;
    QString nameA;
    QString nameB;
    Language language = Language::English;
};

// The part of `area` the strips take; the time axis spans its width.
QRect compareStripsArea(const QRect& area);
// Where race time t stands on the time axis of `strips`.
double compareTimeX(const QRect& strips, const CompareSeries& series, double timeSeconds);

void drawCompare(QPainter& p, const QRect& area, const CompareFigure& figure);
// The replay's moment as a line across the strips.
void drawCompareCursor(QPainter& p, const QRect& area, const CompareSeries& series,
                       double timeSeconds);

}  // namespace korvane

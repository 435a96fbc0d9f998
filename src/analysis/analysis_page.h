// The Analysis page: three scatter figures comparing the boats, each boat a
// dot placed by the distance it sailed (across) and the time it took (up),
// over a fan of lines of equal average speed. The drawing returns where
// each dot went, which is all the hover highlight needs.
#pragma once

#include <QImage>
#include <QPoint>
#include <array>
#include <optional>
#include <vector>

#include "analysis/analysis_figures.h"
#include "analysis/leg_analysis.h"
#include "analysis/page_state.h"
#include "race/model.h"

namespace korvane {

// Per boat (item of model.boats), the dot of each figure when one was drawn.
struct AnalysisDots {
    std::vector<std::array<std::optional<QPoint>, 3>> byBoat;
};

// The corrected-time note band above the figures.
inline constexpr int kNoteBandPixels = 20;

AnalysisDots drawAnalysisPage(QImage& page, const RaceModel& model, const LegAnalysis& legs,
                              const PageState& state);

// The boat whose dot is nearest the mouse, within a dot's reach.
std::optional<int> analysisBoatAt(const AnalysisDots& dots, QPoint mouse);

// Rings the boat's dots and writes its distance, time and speed beside each.
void highlightAnalysisBoat(QImage& window, const RaceModel& model, const LegAnalysis& legs,
                           const AnalysisDots& dots, int boat);

// The caption of a highlighted dot: " name  1234m / 567sec / 4.23kts".
QString analysisDotCaption(const std::string& name, const FigurePoint& point);

}  // namespace korvane

// The performance report: the whole leg analysis as one comma-separated
// table for a spreadsheet ("NoName.csv"). Lines end in CR LF; text is UTF-8.
// This file only builds the bytes; where they go is the caller's business.
#pragma once

#include <string>

#include "analysis/leg_analysis.h"
#include "race/course_geometry.h"
#include "race/model.h"

namespace korvane {

inline constexpr const char* kPerformanceReportFileName = "NoName.csv";

std::string formatPerformanceReport(const RaceModel& model, const CourseGeometry& geometry,
                                    const LegAnalysis& analysis);

}  // namespace korvane

// The results of a race as files for others: a CSV table for a spreadsheet
// and an HTML page a club can publish (one table per class, times as
// h:mm:ss, codes for the boats without a finish). Both are UTF-8.
#pragma once

#include <string>

#include "analysis/results_table.h"
#include "race/model.h"
#include "ui_text/language.h"

namespace korvane {

// One row per boat in overall order, with its class and class place.
std::string resultsCsv(const ResultsTable& table, Language language);

// A page that stands alone (no script, no outside style sheet). `race`
// gives the heading: the caption, the date and the time the places follow.
std::string resultsHtml(const ResultsTable& table, const Race& race, Language language);

}  // namespace korvane

#include "cli/results_command.h"

#include <stdexcept>

#include "cli/report_command.h"
#include "export/results_page.h"
#include "session/standings_sources.h"

namespace korvane {

int runResults(const RaceSession& session, const CliOptions& options, std::ostream& out,
               std::ostream& err) {
    if (options.has("--html") && options.has("--csv"))
        throw std::invalid_argument("results: --html or --csv, not both");
    const ResultsTable table = finalResults(standingsSources(session), session.model.race.timeMode);
    // The page carries no Japanese text of its own unless asked: the CLI has
    // no window whose language it could follow.
    const std::string lang = options.value("--lang").value_or("en");
    if (lang != "en" && lang != "ja") throw std::invalid_argument("--lang: en or ja, not " + lang);
    const Language language = lang == "ja" ? Language::Japanese : Language::English;
    const std::string bytes = options.has("--csv")
                                  ? resultsCsv(table, language)
                                  : resultsHtml(table, session.model.race, language);
    return writeCommandOutput(bytes, options, out, err, "results");
}

}  // namespace korvane

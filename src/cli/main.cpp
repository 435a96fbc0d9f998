// korvane-cli: opens a race exactly as the window does, then prints or writes
// what was asked for. Errors go to stderr with a non-zero exit status.
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "base/program_folders.h"
#include "cli/cli_options.h"
#include "cli/compare_command.h"
#include "cli/info_command.h"
#include "cli/kml_command.h"
#include "cli/maneuvers_command.h"
#include "cli/passings_command.h"
#include "cli/render_command.h"
#include "cli/report_command.h"
#include "cli/results_command.h"
#include "cli/standings_command.h"
#include "cli/video_command.h"
#include "race/race_file_error.h"
#include "session/race_session.h"

using namespace korvane;

int main(int argc, char** argv) {
    CliOptions options;
    try {
        options = parseCliOptions(argc, argv, defaultDataRoot(programFolder(), KORVANE_SAMPLE_DIR));
    } catch (const std::invalid_argument& e) {
        if (*e.what()) std::cerr << "korvane-cli: " << e.what() << "\n";
        std::cerr << usageText();
        return 2;
    }
    if (options.help) {
        std::cout << helpText();
        return 0;
    }
    if (options.version) {
        std::cout << "korvane-cli " << KORVANE_VERSION << "\n";
        return 0;
    }
    try {
        OpenRequest request;
        request.dataRoot = options.dataRoot;
        request.raceFile = options.race;
        request.timeMode = options.timeMode;
        request.shoreline.enabled = options.shorelineLookup;
        const auto session = openRace(request);
        // What the opening skipped goes beside the output, never into it.
        for (const std::string& w : session->warnings)
            std::cerr << "korvane-cli: warning: " << w << "\n";
        if (options.command == "info") return runInfo(*session, options, std::cout);
        if (options.command == "report") return runReport(*session, options, std::cout, std::cerr);
        if (options.command == "kml") return runKml(*session, options, std::cout, std::cerr);
        if (options.command == "render") return runRender(*session, options, std::cout);
        if (options.command == "maneuvers") return runManeuvers(*session, options, std::cout);
        if (options.command == "compare") return runCompare(*session, options, std::cout);
        if (options.command == "video") return runVideo(*session, options, std::cerr);
        if (options.command == "standings") return runStandings(*session, options, std::cout);
        if (options.command == "results")
            return runResults(*session, options, std::cout, std::cerr);
        if (options.command == "passings")
            return runPassings(*session, options, std::cout, std::cerr);
        std::cerr << "korvane-cli: unknown command '" << options.command << "'\n" << usageText();
        return 2;
    } catch (const RaceFileError& e) {
        std::cerr << "korvane-cli: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "korvane-cli: " << e.what() << "\n";
        return 1;
    }
}

#include "app/window_options.h"

namespace korvane {

WindowOptions parseWindowOptions(const std::vector<std::string>& args) {
    WindowOptions options;
    const auto fail = [&options](const std::string& why) {
        if (options.error.empty()) options.error = why;
    };
    const auto takeFolder = [&](const std::string& folder) {
        if (options.dataRoot)
            fail("one data folder only: " + folder);
        else
            options.dataRoot = std::filesystem::path(folder);
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "-h" || word == "--help") {
            options.help = true;
        } else if (word == "--version") {
            options.version = true;
        } else if (word == "--data") {
            if (i + 1 < args.size())
                takeFolder(args[++i]);
            else
                fail("--data needs a folder");
        } else if (word.rfind("--data=", 0) == 0) {
            takeFolder(word.substr(7));
        } else if (!word.empty() && word[0] == '-') {
            fail("unknown option '" + word + "'");
        } else {
            takeFolder(word);
        }
    }
    return options;
}

std::string windowUsageText() {
    return "usage: korvane [--data DIR | DIR]\n"
           "       korvane --help | --version\n"
           "\n"
           "Opens the race that DIR/ctrl/editfile.edt names, else the first of the\n"
           "race list, and replays it. DIR is the data root, the folder holding\n"
           "raceadmin/, gpsdat/, winddat/, coastline/...; without it: the program's\n"
           "own folder when it holds raceadmin/, else the installed sample tree.\n"
           "A second korvane only raises the first window.\n";
}

}  // namespace korvane

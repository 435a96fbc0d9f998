#include "cli/cli_options.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace korvane {

namespace {

struct CommandOptions {
    const char* command;
    std::vector<std::string> flags;         // options without a value
    std::vector<std::string> valueOptions;  // options followed by a value
};

// Every option each command takes; anything else is refused, so a typing
// error never goes unnoticed as a default.
const std::vector<CommandOptions>& commandOptions() {
    static const std::vector<CommandOptions> table{
        {"info", {"--json"}, {"--fixes"}},
        {"report", {}, {"-o"}},
        {"kml", {"--hide-unfocused"}, {"--at", "-o", "--lang"}},
        {"render",
         {"--north-up", "--wind-up", "--laylines", "--small-boats", "--static"},
         {"--at", "--size", "--frames", "--labels", "--zoom", "--page", "-o"}},
        {"maneuvers", {"--json"}, {}},
        {"compare", {"--json"}, {"--boats"}},
        {"video",
         {"--north-up", "--wind-up", "--laylines"},
         {"--from", "--to", "--speed", "--size", "--fps", "--codec", "-o"}},
        {"standings", {"--json"}, {"--at"}},
        {"results", {"--html", "--csv"}, {"-o", "--lang"}},
    };
    return table;
}

void checkOptions(const CliOptions& options) {
    const auto& table = commandOptions();
    const auto entry = std::find_if(table.begin(), table.end(), [&](const CommandOptions& c) {
        return c.command == options.command;
    });
    if (entry == table.end())
        throw std::invalid_argument("unknown command '" + options.command + "'");
    auto in = [](const std::vector<std::string>& list, const std::string& word) {
        return std::find(list.begin(), list.end(), word) != list.end();
    };
    for (std::size_t i = 0; i < options.args.size(); ++i) {
        const std::string& word = options.args[i];
        if (in(entry->flags, word)) continue;
        if (in(entry->valueOptions, word)) {
            if (++i >= options.args.size()) throw std::invalid_argument(word + " needs a value");
            continue;
        }
        throw std::invalid_argument(options.command + ": unknown option '" + word + "'");
    }
}

}  // namespace

bool CliOptions::has(const std::string& flag) const {
    return std::find(args.begin(), args.end(), flag) != args.end();
}

std::optional<std::string> CliOptions::value(const std::string& flag) const {
    auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end()) return std::nullopt;
    if (++it == args.end()) throw std::invalid_argument(flag + " needs a value");
    return *it;
}

std::string usageText() {
    return "usage:\n"
           "  korvane-cli [--data DIR] [--et|--ct] info RACE [--json] [--fixes N]\n"
           "  korvane-cli [--data DIR] [--et|--ct] report RACE [-o FILE]\n"
           "  korvane-cli [--data DIR] [--et|--ct] kml RACE [--at SECONDS] [-o FILE]\n"
           "              [--lang en|ja] [--hide-unfocused]\n"
           "  korvane-cli [--data DIR] [--et|--ct] render RACE --at SECONDS [--size WxH]\n"
           "              [--page track|graph|analysis] (the pages need no --at)\n"
           "              [--north-up|--wind-up] [--frames N] [--labels 0-3]\n"
           "              [--zoom 0-100] [--laylines]\n"
           "              [--small-boats] [--static] -o FILE.png\n"
           "  korvane-cli [--data DIR] [--et|--ct] maneuvers RACE [--json]\n"
           "  korvane-cli [--data DIR] [--et|--ct] compare RACE --boats A,B [--json]\n"
           "  korvane-cli [--data DIR] [--et|--ct] video RACE --from SECONDS --to SECONDS\n"
           "              --speed N [--size WxH] [--fps F] [--codec h264|h265]\n"
           "              [--north-up|--wind-up] [--laylines] -o FILE.mp4\n"
           "  korvane-cli [--data DIR] [--et|--ct] standings RACE --at SECONDS [--json]\n"
           "  korvane-cli [--data DIR] [--et|--ct] results RACE [--html|--csv] [--lang en|ja]\n"
           "              [-o FILE]\n"
           "RACE is a file name inside DIR/raceadmin/ or a path.\n"
           "--no-shoreline (before the command): no GSHHG shoreline where the race\n"
           "              folder has no coastline for the area.\n";
}

CliOptions parseCliOptions(int argc, char** argv, const std::filesystem::path& defaultDataRoot) {
    CliOptions options;
    options.dataRoot = defaultDataRoot;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--data") {
            if (++i >= argc) throw std::invalid_argument("--data needs a folder");
            options.dataRoot = argv[i];
        } else if (word == "--et") {
            options.timeMode = TimeMode::Elapsed;
        } else if (word == "--ct") {
            options.timeMode = TimeMode::Corrected;
        } else if (word == "--no-shoreline") {
            options.shorelineLookup = false;
        } else if (word == "-h" || word == "--help") {
            throw std::invalid_argument("");
        } else {
            break;
        }
    }
    if (i >= argc) throw std::invalid_argument("no command given");
    options.command = argv[i++];
    if (i >= argc) throw std::invalid_argument("no race given");
    options.race = argv[i++];
    for (; i < argc; ++i) options.args.emplace_back(argv[i]);
    checkOptions(options);
    return options;
}

}  // namespace korvane

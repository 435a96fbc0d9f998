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
         {"--north-up", "--wind-up", "--laylines", "--no-standings"},
         {"--from", "--to", "--speed", "--size", "--fps", "--codec", "--lang", "-o"}},
        {"standings", {"--json"}, {"--at"}},
        {"results", {"--html", "--csv"}, {"-o", "--lang"}},
        {"passings", {"--json"}, {"--set", "--clear", "--not-passed"}},
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
           "              [--north-up|--wind-up] [--laylines] [--no-standings]\n"
           "              [--lang en|ja] -o FILE.mp4\n"
           "  korvane-cli [--data DIR] [--et|--ct] standings RACE --at SECONDS [--json]\n"
           "  korvane-cli [--data DIR] [--et|--ct] results RACE [--html|--csv] [--lang en|ja]\n"
           "              [-o FILE]\n"
           "  korvane-cli [--data DIR] [--et|--ct] passings RACE [--json]\n"
           "              [--set SLOT:POINT:SECONDS | --clear SLOT:POINT | --not-passed "
           "SLOT:POINT]\n"
           "RACE is a file name inside DIR/raceadmin/ or a path.\n"
           "--no-shoreline (before the command): no GSHHG shoreline where the race\n"
           "              folder has no coastline for the area.\n";
}

std::string helpText() {
    return usageText() +
           "\n"
           "Opens a race exactly as the korvane window does and prints or writes\n"
           "what the command asks for. Errors go to stderr; the exit status is 0\n"
           "on success, 1 when the race or a file failed, 2 for a usage error.\n"
           "\n"
           "Options before the command:\n"
           "  --data DIR      the data root (the folder holding raceadmin/, gpsdat/...);\n"
           "                  default: the installed or built-in sample tree\n"
           "  --et, --ct      open the race in elapsed or corrected time, whatever\n"
           "                  its race file says (its CT line)\n"
           "  --no-shoreline  only the race folder's coastline files, never the GSHHG\n"
           "                  shoreline of an area they do not cover\n"
           "  -h, --help      this text\n"
           "  --version       the program's version\n"
           "\n"
           "Commands:\n"
           "  info            the race, its boats and their tracks as text;\n"
           "    --json        every field of the opened race as one JSON object\n"
           "    --fixes N     the fixes of boat slot N (time, lat, lon, speed, course)\n"
           "  report          the performance report (the window's NoName.csv);\n"
           "    -o FILE       write it to FILE (written whole or not at all)\n"
           "  kml             the race for Google Earth, as the window's button writes it;\n"
           "    --at SECONDS  only the scene at that race time (ZLTMap4.kml), not the\n"
           "                  whole race (ZLTMap5.kml)\n"
           "    --lang en|ja  the language of the balloons\n"
           "    --hide-unfocused  leave out the boats that are not in focus\n"
           "    -o FILE       write to FILE instead of stdout\n"
           "  render          a picture of the map or a page, drawn as in the window;\n"
           "    --at SECONDS  the race time of the map (seconds from the start,\n"
           "                  negative before it)\n"
           "    --page P      track (the map, the default), graph or analysis\n"
           "    --size WxH    the picture's size in pixels (default 1280x800)\n"
           "    --north-up, --wind-up  the map's orientation\n"
           "    --labels 0-3  0 no labels, 1 boat names (default), 2 names and speed,\n"
           "                  3 also the course lines and the speed difference of\n"
           "                  two measured boats\n"
           "    --zoom 0-100  the ZOOM bar (default 75)\n"
           "    --laylines    draw the laylines\n"
           "    --small-boats draw the boats small\n"
           "    --static      the whole race area (Auto Trace off)\n"
           "    --frames N    draw N frames a second apart and print the time per\n"
           "                  frame (a benchmark; -o then keeps the last one)\n"
           "    -o FILE.png   the picture to write\n"
           "  maneuvers       each boat's tacks, gybes, turns and roundings with their\n"
           "                  loss; --json as JSON\n"
           "  compare         where boat B lost or gained time on boat A, leg by leg;\n"
           "    --boats A,B   the two boats: names as the race file gives them, or\n"
           "                  numbers from 1\n"
           "    --json        as JSON\n"
           "  video           a film of the Track page (MP4);\n"
           "    --from S, --to S  the span in race seconds\n"
           "    --speed N     race seconds to a second of film\n"
           "    --size WxH, --fps F  the film's size (default 1280x720) and frame rate\n"
           "                  (default 30)\n"
           "    --codec h264|h265  the video codec (default h264)\n"
           "    --north-up, --wind-up, --laylines  as for render\n"
           "    --no-standings  no standings table in the frames\n"
           "    --lang en|ja  the standings' words (default en)\n"
           "    -o FILE.mp4   the film to write; a stopped or failed film leaves none\n"
           "  passings        each boat's mark passings: time, kind, metres from the\n"
           "                  mark and the other candidates; --json as JSON\n"
           "    --set S:P:SECONDS  pin boat slot S's passing of course point P (both\n"
           "                  from 1) to SECONDS from the gun\n"
           "    --clear S:P   take that correction back\n"
           "    --not-passed S:P  the boat did not pass point P\n"
           "                  (corrections are kept in RACE.passings beside the race file)\n";
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
            options.help = true;
            return options;
        } else if (word == "--version") {
            options.version = true;
            return options;
        } else {
            break;
        }
    }
    if (i >= argc) throw std::invalid_argument("no command given");
    options.command = argv[i++];
    // "help", or a command's own --help, asks for the help, not for a race.
    const auto asksForHelp = [](const std::string& w) { return w == "-h" || w == "--help"; };
    if (options.command == "help" || (i < argc && asksForHelp(argv[i]))) {
        options.help = true;
        return options;
    }
    if (i >= argc) throw std::invalid_argument("no race given");
    options.race = argv[i++];
    for (; i < argc; ++i) options.args.emplace_back(argv[i]);
    checkOptions(options);
    return options;
}

}  // namespace korvane

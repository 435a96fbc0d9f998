#include "cli/cli_options.h"

#include <algorithm>
#include <stdexcept>

namespace korvane {

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
           "              [--page track|graph|analysis] [--static] [--north-up|--wind-up]\n"
           "              [--frames N] [--labels 0-3] [--zoom 0-100] [--laylines]\n"
           "              [--small-boats] -o FILE.png\n"
           "  korvane-cli [--data DIR] [--et|--ct] maneuvers RACE [--json]\n"
           "RACE is a file name inside DIR/raceadmin/ or a path.\n";
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
    return options;
}

}  // namespace korvane

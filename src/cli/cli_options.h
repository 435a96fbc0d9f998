// Command line of korvane-cli: global options, the command and its words.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "race/model.h"

namespace korvane {

struct CliOptions {
    std::filesystem::path dataRoot;
    std::optional<TimeMode> timeMode;  // --ct / --et
    // --no-shoreline: only the race folder's coastline files, no GSHHG look-up.
    bool shorelineLookup = true;
    std::string command;
    std::string race;
    std::vector<std::string> args;  // words after RACE
    // --help or --version: answered before any race is opened.
    bool help = false;
    bool version = false;

    bool has(const std::string& flag) const;
    // The word after `flag`, e.g. value("-o").
    std::optional<std::string> value(const std::string& flag) const;
};

// Throws std::invalid_argument with a usage text on bad input.
CliOptions parseCliOptions(int argc, char** argv, const std::filesystem::path& defaultDataRoot);

// The synopsis: what a usage error prints after its message.
std::string usageText();
// The synopsis and what every option means: what --help prints.
std::string helpText();

}  // namespace korvane

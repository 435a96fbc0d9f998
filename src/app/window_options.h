// The window program's command line: `korvane [--data DIR | DIR]`, and the
// --help and --version that are answered before any window is made, so
// they work without a display.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct WindowOptions {
    std::optional<std::filesystem::path> dataRoot;
    bool help = false;
    bool version = false;
    std::string error;  // the first word that made no sense; empty when none
};

// `args` without the program's name. Scanning goes on past an error, so a
// --help after a word Qt would have taken still answers.
WindowOptions parseWindowOptions(const std::vector<std::string>& args);

std::string windowUsageText();

}  // namespace korvane

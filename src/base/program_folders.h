// Where the programs find what they bring with them. A build runs from its
// build tree, an installed program from bin/ beside share/korvane/, and a
// club's race folder may hold the program itself, as it did on Windows.
#pragma once

#include <filesystem>

namespace korvane {

// The folder of the running program; empty when it cannot be told.
std::filesystem::path programFolder();

// share/korvane/ of an installed program in `programFolder` (its bin/).
std::filesystem::path installedShareFolder(const std::filesystem::path& programFolder);

// The data root when none is given: `programFolder` itself when it holds
// raceadmin/, else the installed sample tree, else `builtInSample` (the
// source tree's sample/ of a build that was never installed).
std::filesystem::path defaultDataRoot(const std::filesystem::path& programFolder,
                                      const std::filesystem::path& builtInSample);

}  // namespace korvane

// Whole-file reads and atomic writes; every file the program touches is read
// or written in one piece.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Writes beside the target and renames over it, so a failed write never
// leaves a half-written file. Returns false when anything failed.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korvane

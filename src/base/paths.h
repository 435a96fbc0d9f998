// Names read from race files were written on Windows: either separator, any
// letter case. One resolver turns them into real paths below a folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace korvane {

// Resolves `name` (relative, '\' or '/' separated) below `root`, matching each
// component case-insensitively (ASCII letters) when the exact name is absent.
// Returns nullopt when no such file or folder exists.
std::optional<std::filesystem::path> resolveCaseInsensitive(const std::filesystem::path& root,
                                                            std::string_view name);

bool existsCaseInsensitive(const std::filesystem::path& root, std::string_view name);

// The last component of a name that may use either separator.
std::string_view baseName(std::string_view name);

}  // namespace korvane

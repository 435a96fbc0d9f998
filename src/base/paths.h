// Names read from race files were written on Windows: either separator, any
// letter case. One resolver turns them into real paths below a folder.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korvane {

// Resolves `name` (relative, '\' or '/' separated) below `root`, matching each
// component case-insensitively (ASCII letters) when the exact name is absent.
// A leading separator is read as the top of `root`, as the folder and the
// name were once simply joined. Returns nullopt when no such file or folder
// exists, and for a name that leaves `root` (see leavesFolder).

std::optional<std::filesystem::path> resolveCaseInsensitive(const std::filesystem::path& root,
                                                            std::string_view name);

// The same resolution for many names below one root: each folder is listed
// at most once, however many names are looked up in it. A table of thousands
// of names whose letter case differs from the files' costs one listing, not
// one per name. Folders that change while it is in use are not noticed.
class CaseInsensitiveResolver {
  public:
    explicit CaseInsensitiveResolver(std::filesystem::path root) : root_(std::move(root)) {}
    std::optional<std::filesystem::path> resolve(std::string_view name) const;

  private:
    // Lower-case name to the first entry of that name in listing order.
    using Listing = std::unordered_map<std::string, std::filesystem::path>;
    const Listing& listingOf(const std::filesystem::path& folder) const;

    std::filesystem::path root_;
    mutable std::map<std::filesystem::path, Listing> listings_;
};

// Whether a name read from a file points outside the folder it is looked up
// in: ".." climbing above it, or a drive letter. Race folders travel between
// clubs; such a name is never followed.
bool leavesFolder(std::string_view name);

bool existsCaseInsensitive(const std::filesystem::path& root, std::string_view name);

// The last component of a name that may use either separator.
std::string_view baseName(std::string_view name);

// At most `maxBytes` bytes of a name, never half a character: the name's
// bytes are UTF-8 when they are valid UTF-8, else CP932 (as a race folder
// unpacked on a Japanese system holds them). A name that fits is whole.
std::string_view leadingWholeCharacters(std::string_view name, std::size_t maxBytes);

// `path` with every link resolved, when it lies inside `root` (resolved
// too); nullopt for a path that leads out of it, through a link or "..",
// or when `root` does not exist. The file itself need not exist yet.
std::optional<std::filesystem::path> resolvedInside(const std::filesystem::path& root,
                                                    const std::filesystem::path& path);

}  // namespace korvane

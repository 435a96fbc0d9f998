#include "base/paths.h"

#include <system_error>
#include <vector>

#include "base/text.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// The components of a name with "." and ".." applied; nullopt when ".."
// climbs above the top or a drive letter makes it absolute.
std::optional<std::vector<std::string_view>> componentsInside(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= name.size()) {
        std::size_t sep = name.find_first_of("\\/", pos);
        if (sep == std::string_view::npos) sep = name.size();
        const std::string_view part = name.substr(pos, sep - pos);
        pos = sep + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    const std::string_view first = parts.empty() ? std::string_view{} : parts.front();
    const bool driveLetter =
        first.size() >= 2 && first[1] == ':' &&
        ((first[0] >= 'A' && first[0] <= 'Z') || (first[0] >= 'a' && first[0] <= 'z'));
    if (driveLetter) return std::nullopt;
    return parts;
}

}  // namespace

bool leavesFolder(std::string_view name) {
    return !componentsInside(name);
}

std::optional<fs::path> resolveCaseInsensitive(const fs::path& root, std::string_view name) {
    const auto parts = componentsInside(name);
    if (!parts || parts->empty()) return std::nullopt;
    fs::path current = root;
    std::error_code ec;
    for (const std::string_view part : *parts) {
        fs::path exact = current / fs::path(std::string(part));
        if (fs::exists(exact, ec)) {
            current = std::move(exact);
            continue;
        }
        if (!fs::is_directory(current, ec)) return std::nullopt;
        bool found = false;
        for (const auto& entry : fs::directory_iterator(current, ec)) {
            if (equalsIgnoreCaseAscii(entry.path().filename().string(), part)) {
                current = entry.path();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return current;
}

bool existsCaseInsensitive(const fs::path& root, std::string_view name) {
    return resolveCaseInsensitive(root, name).has_value();
}

std::string_view baseName(std::string_view name) {
    const std::size_t sep = name.find_last_of("\\/");
    return sep == std::string_view::npos ? name : name.substr(sep + 1);
}

}  // namespace korvane

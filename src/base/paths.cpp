#include "base/paths.h"

#include <system_error>

#include "base/text.h"

namespace korvane {

namespace fs = std::filesystem;

std::optional<fs::path> resolveCaseInsensitive(const fs::path& root, std::string_view name) {
    fs::path current = root;
    std::error_code ec;
    std::size_t pos = 0;
    bool any = false;
    while (pos <= name.size()) {
        std::size_t sep = name.find_first_of("\\/", pos);
        if (sep == std::string_view::npos) sep = name.size();
        const std::string_view part = name.substr(pos, sep - pos);
        pos = sep + 1;
        if (part.empty() || part == ".") continue;
        any = true;
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
    if (!any) return std::nullopt;
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

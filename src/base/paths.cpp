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

namespace {

// Walks `name` down from `root`: each component is taken as it is when it
// exists, else `inFolder` (folder, component) finds it in another case.
template <class InFolder>
std::optional<fs::path> walkCaseInsensitive(const fs::path& root, std::string_view name,
                                            InFolder inFolder) {
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
        std::optional<fs::path> found = inFolder(current, part);
        if (!found) return std::nullopt;
        current = std::move(*found);
    }
    return current;
}

}  // namespace

std::optional<fs::path> resolveCaseInsensitive(const fs::path& root, std::string_view name) {
    return walkCaseInsensitive(
        root, name, [](const fs::path& folder, std::string_view part) -> std::optional<fs::path> {
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(folder, ec))
                if (equalsIgnoreCaseAscii(entry.path().filename().string(), part))
                    return entry.path();
            return std::nullopt;
        });
}

const CaseInsensitiveResolver::Listing& CaseInsensitiveResolver::listingOf(
    const fs::path& folder) const {
    const auto known = listings_.find(folder);
    if (known != listings_.end()) return known->second;
    Listing listing;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        listing.emplace(toLowerAscii(it->path().filename().string()), it->path());
    return listings_.emplace(folder, std::move(listing)).first->second;
}

std::optional<fs::path> CaseInsensitiveResolver::resolve(std::string_view name) const {
    return walkCaseInsensitive(
        root_, name,
        [this](const fs::path& folder, std::string_view part) -> std::optional<fs::path> {
            const Listing& listing = listingOf(folder);
            const auto hit = listing.find(toLowerAscii(part));
            if (hit == listing.end()) return std::nullopt;
            return hit->second;
        });
}

bool existsCaseInsensitive(const fs::path& root, std::string_view name) {
    return resolveCaseInsensitive(root, name).has_value();
}

std::string_view baseName(std::string_view name) {
    const std::size_t sep = name.find_last_of("\\/");
    return sep == std::string_view::npos ? name : name.substr(sep + 1);
}

std::string_view leadingWholeCharacters(std::string_view name, std::size_t maxBytes) {
    if (name.size() <= maxBytes) return name;
    std::size_t cut = maxBytes;
    if (isValidUtf8(name)) {
        // Back off over continuation bytes to the start of a character.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        return name.substr(0, cut);
    }
    std::size_t at = 0;
    while (at < name.size()) {
        const auto lead = static_cast<unsigned char>(name[at]);
        const std::size_t width =
            (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
        if (at + width > maxBytes) break;
        at += width;
    }
    return name.substr(0, at);
}

std::optional<fs::path> resolvedInside(const fs::path& root, const fs::path& path) {
    std::error_code ec;
    const fs::path top = fs::canonical(root, ec);
    if (ec) return std::nullopt;
    const fs::path full =
        fs::weakly_canonical(path.is_absolute() ? path : fs::absolute(path, ec), ec);
    if (ec) return std::nullopt;
    auto f = full.begin();
    for (auto t = top.begin(); t != top.end(); ++t, ++f)
        if (f == full.end() || *f != *t) return std::nullopt;
    // The root itself is a folder, not a file to write.
    if (f == full.end()) return std::nullopt;
    return full;
}

}  // namespace korvane

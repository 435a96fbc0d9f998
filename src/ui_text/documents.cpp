#include "ui_text/documents.h"

#include <fstream>

#include "base/paths.h"
#include "base/text.h"

namespace korvane {

namespace fs = std::filesystem;

std::array<const char*, 2> helpPageOrder(Language language) {
    if (language == Language::Japanese) return {"help/index.html", "help-e/index.html"};
    return {"help-e/index.html", "help/index.html"};
}

std::optional<fs::path> helpPage(const fs::path& dataRoot, std::string_view page) {
    const fs::path p = dataRoot / page;
    if (!isDocumentOf(p.parent_path(), p)) return std::nullopt;
    return p;
}

std::optional<fs::path> helpPageToOpen(const fs::path& dataRoot, Language language) {
    for (const char* page : helpPageOrder(language))
        if (auto p = helpPage(dataRoot, page)) return p;
    return std::nullopt;
}

std::optional<fs::path> attachmentPath(const fs::path& dataRoot, std::string_view name) {
    if (name.empty()) return std::nullopt;
    // The resolver refuses names that climb out of the folder, and links
    // are followed only within it; an attachment handed to the desktop
    // could otherwise open or run anything.
    const fs::path folder = dataRoot / "attachment";
    auto p = resolveCaseInsensitive(folder, name);
    if (!p || !isDocumentOf(folder, *p)) return std::nullopt;
    return p;
}

bool isDocumentOf(const fs::path& folder, const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return false;
    // The folder where the data tree has it: only the folders above it are
    // resolved, so a folder that is itself a link to elsewhere holds no
    // documents of the race either.
    const fs::path above =
        fs::canonical(folder.parent_path().empty() ? "." : folder.parent_path(), ec);
    if (ec) return false;
    const fs::path real = fs::canonical(file, ec);
    if (ec) return false;
    const fs::path inside = real.lexically_relative(above / folder.filename());
    if (inside.empty() || *inside.begin() == ".." || *inside.begin() == ".") return false;
    return !isProgramFile(real);
}

bool isProgramFile(const fs::path& file) {
    if (equalsIgnoreCaseAscii(file.extension().string(), ".desktop")) return true;
    std::ifstream in(file, std::ios::binary);
    char head[16] = {};
    in.read(head, sizeof head);
    const std::string_view start(head, static_cast<std::size_t>(in.gcount()));
    if (start.starts_with("\x7F"
                          "ELF") ||
        start.starts_with("MZ") || start.starts_with("[Desktop Entry]"))
        return true;
    std::error_code ec;
    const fs::perms mode = fs::status(file, ec).permissions();
    constexpr fs::perms kAnyExecute =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return start.starts_with("#!") && (mode & kAnyExecute) != fs::perms::none;
}

AttachmentPress attachmentPress(bool listShown, int attachmentCount) {
    if (listShown) return AttachmentPress::CloseList;
    return attachmentCount < 2 ? AttachmentPress::OpenOnly : AttachmentPress::ShowList;
}

}  // namespace korvane

#include "ui_text/documents.h"

#include "base/paths.h"

namespace korvane {

std::array<const char*, 2> helpPageOrder(Language language) {
    if (language == Language::Japanese) return {"help/index.html", "help-e/index.html"};
    return {"help-e/index.html", "help/index.html"};
}

std::optional<std::filesystem::path> helpPageToOpen(const std::filesystem::path& dataRoot,
                                                    Language language) {
    for (const char* page : helpPageOrder(language)) {
        std::error_code ec;
        const std::filesystem::path p = dataRoot / page;
        if (std::filesystem::is_regular_file(p, ec)) return p;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> attachmentPath(const std::filesystem::path& dataRoot,
                                                    std::string_view name) {
    if (name.empty()) return std::nullopt;
    // The resolver refuses names that climb out of the folder; an
    // attachment handed to the desktop could otherwise run anything.
    auto p = resolveCaseInsensitive(dataRoot / "attachment", name);
    std::error_code ec;
    if (!p || !std::filesystem::is_regular_file(*p, ec)) return std::nullopt;
    return p;
}

AttachmentPress attachmentPress(bool listShown, int attachmentCount) {
    if (listShown) return AttachmentPress::CloseList;
    return attachmentCount < 2 ? AttachmentPress::OpenOnly : AttachmentPress::ShowList;
}

}  // namespace korvane

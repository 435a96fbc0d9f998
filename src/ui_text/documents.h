// The documents beside a race that the window hands to the desktop: the
// help pages and the race's attachments. Only files that exist inside their
// folders and are no programs are ever offered; the program reads no more
// of them than the few bytes that tell a program.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "ui_text/language.h"

namespace korvane {

// The help pages to try, in order, below the data root: the page of the
// language on show first, the other as a fallback.
std::array<const char*, 2> helpPageOrder(Language language);
std::optional<std::filesystem::path> helpPageToOpen(const std::filesystem::path& dataRoot,
                                                    Language language);
// One help page ("help/index.html"), when it may be opened.
std::optional<std::filesystem::path> helpPage(const std::filesystem::path& dataRoot,
                                              std::string_view page);

// Whether `file` may be handed to the desktop as a document of `folder`: a
// regular file that really lies there (links, of the file or of a folder on
// the way, the folder's own included, resolved before the comparison) and
// is no program.
bool isDocumentOf(const std::filesystem::path& folder, const std::filesystem::path& file);

// Whether the desktop would run `file` rather than show it: a launcher
// (".desktop", or a file that reads like one), a compiled program (ELF, or
// the "MZ" header of a Windows program), or a script marked executable.
bool isProgramFile(const std::filesystem::path& file);

// The attachment `name` from the race file, found in attachment/ below the
// data root; nothing for a name that leaves that folder or is no file.
std::optional<std::filesystem::path> attachmentPath(const std::filesystem::path& dataRoot,
                                                    std::string_view name);

// What a press of the attachments button does.
enum class AttachmentPress {
    CloseList,  // the list was open: it closes, nothing opens
    OpenOnly,   // zero or one attachment: open it straight away (if any)
    ShowList,   // two or more: let the user pick
};
AttachmentPress attachmentPress(bool listShown, int attachmentCount);

}  // namespace korvane

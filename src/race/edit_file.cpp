#include "race/edit_file.h"

#include "base/file_io.h"
#include "base/paths.h"
#include "base/text.h"

namespace korvane {

std::optional<EditFileChoice> readEditFile(const std::filesystem::path& dataRoot) {
    const auto path = resolveCaseInsensitive(dataRoot, "ctrl/editfile.edt");
    if (!path) return std::nullopt;
    const auto bytes = readFileBytes(*path);
    if (!bytes) return std::nullopt;
    const std::string text = decodeText(*bytes);
    const auto lines = splitLines(text);
    const std::string last = lines.empty() ? std::string() : std::string(lines.back());
    EditFileChoice choice;
    if (last.size() >= 2 && last.compare(last.size() - 2, 2, "_b") == 0) {
        choice.raceFile = last.substr(0, last.size() - 2);
        choice.editMode = false;
    } else {
        choice.raceFile = last;
        choice.editMode = true;
    }
    return choice;
}

}  // namespace korvane

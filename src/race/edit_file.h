// ctrl/editfile.edt: its last line names the race to open first, and whether
// it opens for course editing (no "_b" suffix) or for browsing ("_b").
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvane {

struct EditFileChoice {
    std::string raceFile;  // relative to raceadmin/
    bool editMode = false;
};

// nullopt when the data root has no edit file; the race list decides then.
std::optional<EditFileChoice> readEditFile(const std::filesystem::path& dataRoot);

}  // namespace korvane

#include "base/program_folders.h"

#include <system_error>

namespace korvane {

namespace fs = std::filesystem;

fs::path programFolder() {
    std::error_code ec;
    const fs::path exe = fs::canonical("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

fs::path installedShareFolder(const fs::path& programFolder) {
    return (programFolder / ".." / "share" / "korvane").lexically_normal();
}

fs::path defaultDataRoot(const fs::path& programFolder, const fs::path& builtInSample) {
    std::error_code ec;
    if (!programFolder.empty()) {
        if (fs::is_directory(programFolder / "raceadmin", ec)) return programFolder;
        const fs::path installed = installedShareFolder(programFolder) / "sample";
        if (fs::is_directory(installed / "raceadmin", ec)) return installed;
    }
    return builtInSample;
}

}  // namespace korvane

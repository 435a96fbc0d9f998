#include "race/race_list.h"

#include <algorithm>

#include "base/file_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "race/model.h"

namespace korvane {

namespace fs = std::filesystem;

RaceList buildRaceList(const fs::path& dataRoot) {
    RaceList list;
    const fs::path admin = dataRoot / "raceadmin";
    std::vector<std::string> ordered;
    if (const auto orderFile = resolveCaseInsensitive(admin, "racefile.st")) {
        if (const auto bytes = readFileBytes(*orderFile)) {
            const std::string text = decodeText(*bytes);
            for (std::string_view line : splitLines(text))
                if (!line.empty() && existsCaseInsensitive(admin, line)) ordered.emplace_back(line);
        }
    }
    std::vector<std::string> folder;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(admin, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && equalsIgnoreCaseAscii(name.substr(name.size() - 4), ".txt") &&
            entry.is_regular_file(ec))
            folder.push_back(name);
    }
    std::sort(folder.begin(), folder.end(), [](const std::string& a, const std::string& b) {
        return toLowerAscii(a) < toLowerAscii(b) || (toLowerAscii(a) == toLowerAscii(b) && a < b);
    });
    list.names = ordered;
    for (const std::string& name : folder)
        if (std::find(ordered.begin(), ordered.end(), name) == ordered.end())
            list.names.push_back(name);
    if (static_cast<int>(list.names.size()) > kMaxRaces) {
        list.warnings.push_back("raceadmin holds " + std::to_string(list.names.size()) +
                                " races; only the first " + std::to_string(kMaxRaces) +
                                " are listed");
        list.names.resize(kMaxRaces);
    }
    return list;
}

}  // namespace korvane

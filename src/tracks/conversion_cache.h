// The fixes of logs converted by an outside program, kept in the user's
// cache folder (never beside the race, whose folder may be read-only) so
// that a race opens at our own speed from its second opening on. An entry
// is found by the log's path, size and modification time; a log that
// changes gets a new entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// One fix of a converted log: whole UTC seconds from kConversionEpoch and
// the position in minutes of arc.
struct DatedFix {
    std::int64_t seconds = 0;
    double latMinutes = 0;
    double lonMinutes = 0;
};

// 2000-01-01 00:00 UTC as a Timestamp.
inline constexpr double kConversionEpoch = 36526.0;

// $XDG_CACHE_HOME/korvane/converted, else ~/.cache/korvane/converted; empty
// when neither can be found (nothing is then cached).
std::filesystem::path defaultConversionCacheDir();

class ConversionCache {
  public:
    explicit ConversionCache(std::filesystem::path dir) : dir_(std::move(dir)) {}

    // The key of a log as it is now; nullopt when it cannot be examined.
    static std::optional<std::string> keyOf(const std::filesystem::path& log);

    // What an earlier conversion stored under `key`; nullopt when nothing
    // (or something damaged) is there.
    std::optional<std::vector<DatedFix>> find(const std::string& key) const;
    // Best effort: a cache folder that cannot be written only costs speed.
    void store(const std::string& key, const std::vector<DatedFix>& fixes) const;

  private:
    std::filesystem::path entryPath(const std::string& key) const;
    std::filesystem::path dir_;
};

}  // namespace korvane

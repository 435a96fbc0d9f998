#include "tracks/conversion_cache.h"

#include <sys/stat.h>

#include <unistd.h>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "tracks/log_file.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMagic = "korvane converted log 1\n";

// A fix of the cache file: the three values as they lie in memory.
constexpr std::size_t kRecordBytes = sizeof(std::int64_t) + 2 * sizeof(double);
// Seconds the conversion epoch can reach either way (secondsBetween's own
// limit); anything beyond marks a damaged entry.
constexpr std::int64_t kSecondsReach = 2'000'000'000;

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

fs::path defaultConversionCacheDir() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg == '/') return fs::path(xdg) / "korvane" / "converted";
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return fs::path(home) / ".cache" / "korvane" / "converted";
    return {};
}

std::optional<std::string> ConversionCache::keyOf(const fs::path& log) {
    std::error_code ec;
    const fs::path full = fs::canonical(log, ec);
    if (ec) return std::nullopt;
    struct stat info {};
    if (::stat(full.c_str(), &info) != 0) return std::nullopt;
    return full.string() + '\n' + std::to_string(info.st_size) + '\n' +
           std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec) + '\n';
}

fs::path ConversionCache::entryPath(const std::string& key) const {
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.fixes", static_cast<unsigned long long>(fnv1a(key)));
    return dir_ / name;
}

std::optional<std::vector<DatedFix>> ConversionCache::find(const std::string& key) const {
    if (dir_.empty()) return std::nullopt;
    LogBuffer buffer;
    const auto bytes = buffer.read(entryPath(key)).bytes;
    // The entry starts with the whole key: two logs whose keys share a
    // hash never read each other's fixes.
    const std::size_t head = kMagic.size() + key.size();
    if (!bytes || bytes->size() < head || bytes->substr(0, kMagic.size()) != kMagic ||
        bytes->substr(kMagic.size(), key.size()) != key ||
        (bytes->size() - head) % kRecordBytes != 0)
        return std::nullopt;
    const std::size_t count = (bytes->size() - head) / kRecordBytes;
    std::vector<DatedFix> fixes(count);
    const char* p = bytes->data() + head;
    for (DatedFix& f : fixes) {
        std::memcpy(&f.seconds, p, sizeof f.seconds);
        std::memcpy(&f.latMinutes, p + 8, sizeof f.latMinutes);
        std::memcpy(&f.lonMinutes, p + 16, sizeof f.lonMinutes);
        p += kRecordBytes;
        if (f.seconds < -kSecondsReach || f.seconds > kSecondsReach ||
            !std::isfinite(f.latMinutes) || !std::isfinite(f.lonMinutes))
            return std::nullopt;
    }
    return fixes;
}

void ConversionCache::store(const std::string& key, const std::vector<DatedFix>& fixes) const {
    if (dir_.empty()) return;
    std::error_code ec;
    fs::create_directories(dir_, ec);
    if (ec) return;
    std::string bytes;
    bytes.reserve(kMagic.size() + key.size() + fixes.size() * kRecordBytes);
    bytes += kMagic;
    bytes += key;
    for (const DatedFix& f : fixes) {
        char record[kRecordBytes];
        std::memcpy(record, &f.seconds, 8);
        std::memcpy(record + 8, &f.latMinutes, 8);
        std::memcpy(record + 16, &f.lonMinutes, 8);
        bytes.append(record, kRecordBytes);
    }
    // Written beside and renamed over, so a reader (another opening, another
    // thread converting the same log) sees the old entry or the new one.
    static std::atomic<unsigned> counter{0};
    const fs::path target = entryPath(key);
    const fs::path temporary =
        target.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            return;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) fs::remove(temporary, ec);
}

}  // namespace korvane

#include "base/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2
#include <ctime>
#include <new>
#include <random>
#include <stdexcept>

namespace korvane {

namespace fs = std::filesystem;

std::string describeReadFailure(ReadFailure failure, std::uintmax_t maxBytes) {
    switch (failure) {
        case ReadFailure::None:
            return "read";
        case ReadFailure::NotFound:
            return "not found";
        case ReadFailure::NotRegularFile:
            return "not a regular file";
        case ReadFailure::TooLarge: {
            constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
            if (maxBytes % kMiB == 0)
                return "larger than " + std::to_string(maxBytes / kMiB) + " MB";
            return "larger than " + std::to_string(maxBytes) + " bytes";
        }
        case ReadFailure::Unreadable:
            return "cannot be read";
        case ReadFailure::OutOfMemory:
            return "too large for the memory left";
    }
    return "cannot be read";
}

ReadableFile::ReadableFile(const fs::path& path, std::uintmax_t maxBytes) {
    // Looked at before it is opened: opening a device may already do
    // something, and opening a pipe for reading waits for a writer.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        failure_ =
            errno == ENOENT || errno == ENOTDIR ? ReadFailure::NotFound : ReadFailure::Unreadable;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        failure_ = ReadFailure::NotRegularFile;
        return;
    }
    // Non-blocking, and checked again on the open file: the name may have
    // been swapped for a pipe in between.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        failure_ = ReadFailure::Unreadable;
        return;
    }
    if (::fstat(fd_, &info) != 0)
        failure_ = ReadFailure::Unreadable;
    else if (!S_ISREG(info.st_mode))
        failure_ = ReadFailure::NotRegularFile;
    else if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        failure_ = ReadFailure::TooLarge;
    sizeBytes_ = static_cast<std::uintmax_t>(info.st_size);
    if (failure_ != ReadFailure::None) {
        ::close(fd_);
        fd_ = -1;
    }
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::size_t> ReadableFile::readInto(char* dest, std::size_t size) const {
    if (fd_ < 0) return std::nullopt;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd_, dest + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

FileRead readRegularFile(const fs::path& path, std::uintmax_t maxBytes) {
    const ReadableFile file(path, maxBytes);
    if (file.failure() != ReadFailure::None) return {std::nullopt, file.failure()};
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(file.sizeBytes()));
    } catch (const std::bad_alloc&) {
        return {std::nullopt, ReadFailure::OutOfMemory};
    } catch (const std::length_error&) {
        return {std::nullopt, ReadFailure::OutOfMemory};
    }
    const auto n = file.readInto(bytes.data(), bytes.size());
    if (!n) return {std::nullopt, ReadFailure::Unreadable};
    bytes.resize(*n);
    return {std::move(bytes), ReadFailure::None};
}

std::optional<std::string> readFileBytes(const fs::path& path) {
    return readRegularFile(path).bytes;
}

bool looksBinary(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos;
}

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

using Producer = std::function<bool(const ByteSink&)>;

// A producer that throws (out of memory half way) leaves no open file and no
// temp file behind.
bool produceInto(int fd, const Producer& produce, const fs::path& temp = {}) {
    try {
        return produce([fd](std::string_view piece) { return writeAll(fd, piece); });
    } catch (...) {
        ::close(fd);
        if (!temp.empty()) ::unlink(temp.c_str());
        throw;
    }
}

// A device, a pipe or a stream of this process: it takes the bytes as they
// come, and there is nothing to rename over.
bool writeDirectly(const fs::path& path, const Producer& produce) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = produceInto(fd, produce);
    if (::close(fd) != 0) ok = false;
    return ok;
}

// /dev/stdout and /proc/self/fd/N name what this process writes to (a
// terminal, a pipe, a file the shell opened), not a file to replace.
bool namesAStream(const fs::path& path) {
    const std::string text = path.lexically_normal().string();
    return text.rfind("/dev/", 0) == 0 || text.rfind("/proc/", 0) == 0;
}

struct LinkEnd {
    fs::path path;
    bool stream = false;
};

// Where a chain of links ends: the file a replacement must be put beside.
std::optional<LinkEnd> followLinks(fs::path path) {
    constexpr int kMaxHops = 40;  // as the kernel's own limit
    for (int hop = 0; hop < kMaxHops; ++hop) {
        if (namesAStream(path)) return LinkEnd{path, true};
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return LinkEnd{path, false};
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

std::string randomSuffix() {
    std::random_device random;
    const std::uint64_t value = (std::uint64_t{random()} << 32) ^ random();
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

constexpr std::size_t kTempSuffixDigits = 16;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool isOwnTempFileName(std::string_view name) {
    constexpr std::string_view kEnd = ".tmp";
    // "." NAME "." 16 hex digits ".tmp", NAME not empty.
    if (name.size() < 1 + 1 + 1 + kTempSuffixDigits + kEnd.size()) return false;
    if (name.front() != '.' || name.substr(name.size() - kEnd.size()) != kEnd) return false;
    const std::size_t digits = name.size() - kEnd.size() - kTempSuffixDigits;
    if (name[digits - 1] != '.') return false;
    for (std::size_t i = digits; i < digits + kTempSuffixDigits; ++i)
        if (!isHexDigit(name[i])) return false;
    return true;
}

// A write killed between making its temp file and the rename leaves the
// whole file behind under a hidden name, and nothing else will ever remove
// it. Only our own pattern, only our own plain files, and only old ones: a
// temp file another writer is filling right now has a fresh time.
void removeStaleTempFiles(const fs::path& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int fd = ::dirfd(dir);
    const std::time_t before = std::time(nullptr) - kStaleTempFileSeconds;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isOwnTempFileName(entry->d_name)) continue;
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || info.st_mtime >= before)
            continue;
        ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// A new file beside `target`, under a name nobody could have prepared:
// O_EXCL refuses anything already there, a planted link included.
int createTempBeside(const fs::path& target, mode_t mode, fs::path& temp) {
    constexpr int kAttempts = 100;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    removeStaleTempFiles(folder);
    for (int i = 0; i < kAttempts; ++i) {
        temp = folder / ("." + target.filename().string() + "." + randomSuffix() + ".tmp");
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Puts `temp` in the place of `target`. Renaming over an existing file
// makes ext4 send the new file's blocks to the disk at once (its guard for
// programs that never flush), which takes longer than making the file; a
// file handed over needs no such guard, so the old one is swapped out in
// one step and then deleted. Where the swap is not known, a plain rename.
bool replaceTarget(const fs::path& temp, const fs::path& target, WriteDurability durability,
                   bool existed) {
    if (existed && durability == WriteDurability::HandedOver &&
        ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temp.c_str());
        return true;
    }
    return ::rename(temp.c_str(), target.c_str()) == 0;
}

}  // namespace

bool writeFileAtomically(const fs::path& path, std::string_view bytes, WriteDurability durability) {
    return writeFileAtomically(
        path, [bytes](const ByteSink& put) { return put(bytes); }, durability);
}

bool writeFileAtomically(const fs::path& path, const Producer& produce,
                         WriteDurability durability) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (S_ISDIR(info.st_mode)) return false;
        return writeDirectly(path, produce);
    }
    const auto end = followLinks(path);
    if (!end) return false;
    if (end->stream) return writeDirectly(path, produce);
    const fs::path& target = end->path;
    const bool existed = ::stat(target.c_str(), &info) == 0;
    // A new file gets what the umask allows; an existing one keeps its mode,
    // set once the bytes are in.
    fs::path temp;
    const int fd = createTempBeside(target, existed ? 0600 : 0666, temp);
    if (fd < 0) return false;
    bool ok = produceInto(fd, produce, temp);
    if (ok && existed) ok = ::fchmod(fd, info.st_mode & 07777) == 0;
    if (ok && durability == WriteDurability::Flushed) ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = replaceTarget(temp, target, durability, existed);
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace korvane

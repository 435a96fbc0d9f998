// Whole-file reads and atomic writes; every file the program touches is read
// in one piece and replaced in one step (a large one may be written as it is
// made, but appears only whole). Race folders come from anywhere, so a read takes
// only a plain file of a size its reader can mean, and a write never goes
// through a link or a name someone else could have planted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::uintmax_t kNoSizeLimit = UINTMAX_MAX;

enum class ReadFailure { None, NotFound, NotRegularFile, TooLarge, Unreadable, OutOfMemory };

// Words for a warning: "not a regular file", "larger than 16 MB", ...
std::string describeReadFailure(ReadFailure failure, std::uintmax_t maxBytes = kNoSizeLimit);

// A file opened for reading only when it is a regular file of at most
// maxBytes. The open never waits: a pipe or a device is refused, not read.
class ReadableFile {
  public:
    ReadableFile(const std::filesystem::path& path, std::uintmax_t maxBytes);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    ReadFailure failure() const { return failure_; }
    std::uintmax_t sizeBytes() const { return sizeBytes_; }
    // Reads up to `size` bytes into `dest`; the count read, or nullopt on a
    // read error. A file that shrank gives less.
    std::optional<std::size_t> readInto(char* dest, std::size_t size) const;

  private:
    int fd_ = -1;
    std::uintmax_t sizeBytes_ = 0;
    ReadFailure failure_ = ReadFailure::None;
};

struct FileRead {
    std::optional<std::string> bytes;
    ReadFailure failure = ReadFailure::None;
};

FileRead readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes = kNoSizeLimit);

// The file's bytes, or nullopt when it is not a regular file or cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Whether text holds NUL bytes, which no text file of ours does.
bool looksBinary(std::string_view bytes);

// Writes beside the target under a fresh, unguessable name and renames over
// it, so a failed write never leaves a half-written file or a temp file.
// A linked target is replaced where the link points and stays a link; the
// permissions of an existing target are kept. A target that exists and is
// not a regular file (a device, a pipe, /dev/stdout) is written directly.
// Returns false when anything failed.
//
// Flushed (the default) waits until the bytes are on the disk before the
// rename, so the file survives a power cut. A file handed straight to
// another program and deleted again when ours ends (the KML exports) needs
// only the rename: a power cut costs one more export, and waiting for the
// disk would take longer than making the file.
enum class WriteDurability { Flushed, HandedOver };
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         WriteDurability durability = WriteDurability::Flushed);

// The temp files the atomic write makes: "." + the target's name + "." +
// 16 hex digits + ".tmp". One left by a write that was killed is removed
// by the next write into its folder once it is this old.
inline constexpr int kStaleTempFileSeconds = 10 * 60;

// Takes a file's bytes piece by piece, in order; false when they could not
// be written, and the writer should stop.
using ByteSink = std::function<bool(std::string_view)>;
// The same for a file made piece by piece, so that a large one is never
// whole in memory: `produce` puts the pieces into the sink it is given and
// returns false when it could not make them all, which fails the write as a
// failed write does.
bool writeFileAtomically(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce,
                         WriteDurability durability = WriteDurability::Flushed);

}  // namespace korvane

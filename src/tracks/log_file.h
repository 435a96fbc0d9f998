// Whole-file reads for the log import: one read loop into a buffer that is
// kept from one log to the next, so a race of many logs does not fault in
// fresh memory for every file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "base/file_io.h"

namespace korvane {

// A day of 10 Hz NMEA is about 100 MB; a log ten times that is no log.
inline constexpr std::uintmax_t kMaxLogBytes = std::uintmax_t{1} << 30;

struct LogBytes {
    std::optional<std::string_view> bytes;  // valid until the next read
    ReadFailure failure = ReadFailure::None;
};

class LogBuffer {
  public:
    // Reads a regular file of at most maxBytes; anything else (a pipe, a
    // folder, a file too large for its claim or for the memory) is refused
    // with the reason.
    LogBytes read(const std::filesystem::path& path, std::uintmax_t maxBytes = kMaxLogBytes);

  private:
    std::unique_ptr<char[]> data_;  // not zero-filled: overwritten by read()
    std::size_t capacity_ = 0;
};

}  // namespace korvane

// Whole-file reads for the log import: one read loop into a buffer that is
// kept from one log to the next, so a race of many logs does not fault in
// fresh memory for every file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace korvane {

class LogBuffer {
public:
    // The file's bytes, valid until the next read; nullopt when the file
    // cannot be opened or read (a folder, no permission).
    std::optional<std::string_view> read(const std::filesystem::path& path);

private:
    std::unique_ptr<char[]> data_;  // not zero-filled: overwritten by read()
    std::size_t capacity_ = 0;
};

}  // namespace korvane

// Whole-file reads for the log import: one allocation, one read loop, no
// zero-filling of a buffer that is overwritten right away.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace korvane {

class LogBytes {
public:
    LogBytes() = default;
    LogBytes(std::unique_ptr<char[]> data, std::size_t size)
        : data_(std::move(data)), size_(size) {}

    std::string_view view() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

// nullopt when the file cannot be opened or read (a folder, no permission).
std::optional<LogBytes> readLogBytes(const std::filesystem::path& path);

}  // namespace korvane

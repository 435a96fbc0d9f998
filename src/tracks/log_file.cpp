#include "tracks/log_file.h"

#include <new>

namespace korvane {

LogBytes LogBuffer::read(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    const ReadableFile file(path, maxBytes);
    if (file.failure() != ReadFailure::None) return {std::nullopt, file.failure()};
    // The size is what the file had when opened; a file that shrinks while
    // it is read gives what was there, one that grows is cut at that size.
    const auto size = static_cast<std::size_t>(file.sizeBytes());
    if (size > capacity_ || !data_) {
        data_.reset();
        capacity_ = 0;
        data_.reset(new (std::nothrow) char[size == 0 ? 1 : size]);
        if (!data_) return {std::nullopt, ReadFailure::OutOfMemory};
        capacity_ = size;
    }
    const auto done = file.readInto(data_.get(), size);
    if (!done) return {std::nullopt, ReadFailure::Unreadable};
    return {std::string_view(data_.get(), *done), ReadFailure::None};
}

}  // namespace korvane

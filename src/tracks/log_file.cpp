#include "tracks/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace korvane {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::string_view> LogBuffer::read(const std::filesystem::path& path) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    // The size is what the file had when opened; a file that shrinks while
    // it is read gives what was there, one that grows is cut at that size.
    const std::size_t size = static_cast<std::size_t>(info.st_size);
    if (size > capacity_ || !data_) {
        data_.reset(new char[size == 0 ? 1 : size]);
        capacity_ = size;
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(file.get(), data_.get() + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return std::string_view(data_.get(), done);
}

}  // namespace korvane

#include "base/file_io.h"

#include <cstdio>
#include <memory>

namespace korvane {

namespace fs = std::filesystem;

std::optional<std::string> readFileBytes(const fs::path& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string bytes;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0) bytes.reserve(static_cast<std::size_t>(size));
        std::rewind(file.get());
    }
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path temp = path;
    temp += ".korvane-tmp";
    {
        std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temp.c_str(), "wb"), &std::fclose);
        if (!file) return false;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
            file.reset();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
        if (std::fflush(file.get()) != 0) return false;
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace korvane

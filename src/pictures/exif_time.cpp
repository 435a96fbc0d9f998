#include "pictures/exif_time.h"

#include <exception>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace korvane {

namespace {

// Exiv2 writes its complaints about damaged files to stderr; a folder of
// camera files is not the place for them.
void muteExiv2() {
    static std::once_flag once;
    std::call_once(once, [] { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); });
}

template <class Open>
std::optional<std::string> captureTimeOf(Open open) {
    muteExiv2();
    try {
        auto image = open();
        if (!image.get()) return std::nullopt;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto it = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
        if (it == exif.end() || it->typeId() != Exiv2::asciiString) return std::nullopt;
        return exifDateToSlashes(it->toString());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::string exifDateToSlashes(std::string_view exifText) {
    std::string text(exifText);
    // A text value may carry its terminating NUL.
    while (!text.empty() && text.back() == '\0') text.pop_back();
    int replaced = 0;
    for (char& c : text) {
        if (replaced == 2) break;
        if (c == ':') {
            c = '/';
            ++replaced;
        }
    }
    return text;
}

std::optional<std::string> readExifDateTime(const std::filesystem::path& file) {
    return captureTimeOf([&] { return Exiv2::ImageFactory::open(file.string()); });
}

std::optional<std::string> readExifDateTimeFromBytes(std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    return captureTimeOf([&] {
        return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                         static_cast<long>(bytes.size()));
    });
}

}  // namespace korvane

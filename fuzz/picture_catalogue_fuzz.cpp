// Photograph folders come from any camera and any hand: a time table of any
// text and JPEGs of any bytes must give a catalogue of pictures inside the
// race's window, never a crash. The first byte says whether the folder has
// a time table; the text before the first JPEG start marker is that table,
// the rest is one picture, and its first half a second, truncated one.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"
#include "pictures/exif_time.h"
#include "pictures/picture_catalogue.h"

namespace {

class FuzzedFolder : public korvane::PictureSource {
  public:
    std::optional<std::string> table;
    std::string jpeg;

    korvane::FileRead timeTable() const override {
        return {table, table ? korvane::ReadFailure::None : korvane::ReadFailure::NotFound};
    }
    std::optional<std::filesystem::path> find(const std::string& name) const override {
        for (const std::string& n : fileNames())
            if (korvane::equalsIgnoreCaseAscii(n, name)) return std::filesystem::path(n);
        return std::nullopt;
    }
    std::vector<std::string> fileNames() const override { return {"a.jpg", "b.JPG", "c.txt"}; }
    std::optional<std::string> captureTime(const std::string& name) const override {
        const std::string_view bytes = name == "a.jpg"
                                           ? std::string_view(jpeg)
                                           : std::string_view(jpeg).substr(0, jpeg.size() / 2);
        return korvane::readExifDateTimeFromBytes(bytes);
    }
    std::filesystem::path pathOf(const std::string& name) const override { return name; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t soi = all.find("\xFF\xD8");
    FuzzedFolder folder;
    if (data[0] & 1) folder.table = std::string(all.substr(0, soi));
    folder.jpeg = soi == std::string_view::npos ? std::string() : std::string(all.substr(soi));
    const korvane::PictureWindow window{45424.458333, -310, 4530};
    const korvane::PictureCatalogue c = korvane::cataloguePictures(folder, window);
    for (const korvane::PictureEntry& e : c.entries)
        if (!std::isfinite(e.timeSeconds) || e.timeSeconds < window.timelineBeginSeconds - 600 ||
            e.timeSeconds > window.timelineEndSeconds + 600)
            __builtin_trap();
    return 0;
}

#include "pictures/picture_box.h"

#include <cstdint>

namespace korvane {

PictureBox pictureBoxFor(int width, int height, int size) {
    PictureBox box;
    if (width <= 0 || height <= 0 || size <= 0) return box;
    // In 64 bits: a camera's pixel count times the size passes 2^31.
    if (height < width) {
        box.width = size;
        box.height = static_cast<int>(std::int64_t{size} * height / width);
    } else {
        box.height = size;
        box.width = static_cast<int>(std::int64_t{size} * width / height);
    }
    box.panelWidth = box.width + 2 * kPictureBorder;
    box.panelHeight = box.height + 2 * kPictureBorder + kPictureCaptionHeight;
    return box;
}

}  // namespace korvane

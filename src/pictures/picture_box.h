// How big a photograph is shown: its longer side takes the chosen size (a
// square one counts as upright), and the white panel around it leaves a
// 5-pixel border and a caption line below.
#pragma once

namespace korvane {

inline constexpr int kPictureBorder = 5;
inline constexpr int kPictureCaptionHeight = 25;  // below the picture, border included
inline constexpr int kMinPictureSize = 200;
inline constexpr int kMaxPictureSize = 900;
inline constexpr int kPictureSizeStep = 100;

struct PictureBox {
    int width = 0;  // the picture as shown
    int height = 0;
    int panelWidth = 0;
    int panelHeight = 0;
};

// For a picture of `width` × `height` pixels (as it stands, orientation
// applied) shown at `size` pixels; nothing sensible for an empty picture,
// so the caller keeps what it showed before.
PictureBox pictureBoxFor(int width, int height, int size);

}  // namespace korvane

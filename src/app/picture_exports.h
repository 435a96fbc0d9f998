// Pictures of what the window shows, saved as Windows bitmaps in the
// documents folder for an image program to open: the screen shot of the map
// area as it is on screen, and the retouch picture of the page on show.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <filesystem>

class QWidget;

namespace korvane {

inline constexpr const char* kScreenShotFile = "korvane.bmp";
inline constexpr const char* kRetouchFile = "NoName.bmp";

struct PictureExportResult {
    std::filesystem::path path;
    QString error;  // empty when the file was written

    bool ok() const { return error.isEmpty(); }
};

// `image` as a BMP at `path`, written in one step: a failed write leaves
// any older file whole.
PictureExportResult saveBitmap(const QImage& image, const std::filesystem::path& path);

// The pixels `area` of `window` as they are shown, panels and tips over the
// map included. Frames are drawn whole between two events, so a grab never
// meets half a frame.
QImage grabShownArea(QWidget* window, const QRect& area);

}  // namespace korvane

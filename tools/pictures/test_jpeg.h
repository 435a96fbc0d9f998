// Writes small JPEG photographs for tests and the sample tree: a coloured
// picture with its label, and EXIF data as a camera would leave it (or a
// damaged copy of it, or none).
#pragma once

#include <filesystem>
#include <string>

namespace korvane::tools {

enum class ExifKind {
    None,            // a JPEG straight from an image program, no EXIF block
    CaptureTime,     // DateTimeOriginal as the camera writes it
    Broken,          // an EXIF block whose directory points past its end
    CaptureNotText,  // DateTimeOriginal stored as a number, not as text
};

struct TestJpeg {
    int width = 320;
    int height = 240;
    ExifKind exif = ExifKind::CaptureTime;
    std::string captureTime;  // "YYYY:MM:DD hh:mm:ss", the camera's form
    int orientation = 0;      // EXIF orientation 1..8; 0 writes none
    std::string label;        // drawn on the picture
    int quality = 60;
    // Scan data added before the end marker, to reach a camera file's size
    // without a camera file's encoding cost (the picture no longer decodes).
    int paddingBytes = 0;
};

// False when the picture or its metadata could not be written.
bool writeTestJpeg(const std::filesystem::path& path, const TestJpeg& picture);

}  // namespace korvane::tools

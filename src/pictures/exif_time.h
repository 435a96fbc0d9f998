// The moment a photograph was taken, as its camera wrote it into the EXIF
// block (DateTimeOriginal). Only the metadata is read, never the picture.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The capture time as "YYYY/MM/DD hh:mm:ss" (the camera's "YYYY:MM:DD"
// date colons turned into slashes), or nothing for a file that is not an
// image, has no EXIF block, a damaged one, or a capture time that is not
// text. Never throws.
std::optional<std::string> readExifDateTime(const std::filesystem::path& file);
std::optional<std::string> readExifDateTimeFromBytes(std::string_view bytes);

// "2024:05:12 11:03:20" -> "2024/05/12 11:03:20": the first two colons only.
std::string exifDateToSlashes(std::string_view exifText);

}  // namespace korvane

// The pieces both KML files share: the opening lines, a boat's track, a boat
// at one instant, and a buoy. Each piece is a run of CR LF lines appended to
// the file's text, names escaped on the way.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/timestamp.h"
#include "race/model.h"
#include "ui_text/language.h"

namespace korvane {

// The icon files as the placemarks refer to them: "file://" URLs of their
// absolute paths.
struct KmlIcons {
    std::array<std::string, 36> boat;  // by heading / 10
    std::string buoy;

    explicit KmlIcons(const std::filesystem::path& iconFolder);
};

// A boat where and how it sailed at one instant.
struct BoatInstant {
    Timestamp time = 0;
    double latMinutes = 0;
    double lonMinutes = 0;
    double speedKnots = 0;
    double headingDegrees = 0;
};

class KmlText {
  public:
    explicit KmlText(std::size_t expectedBytes = 0) { text_.reserve(expectedBytes); }

    // One line: the pieces joined, then CR LF.
    KmlText& line(std::initializer_list<std::string_view> pieces);

    void beginning(std::string_view caption);
    // A line placemark: its head, one point per line, its tail.
    void lineStart(std::string_view name, std::string_view colour, int widthPixels);
    void linePoint(double latMinutes, double lonMinutes);
    void lineEnd();
    void boat(const Boat& boat, const BoatInstant& at, const KmlIcons& icons, Language language);
    void buoy(std::string_view name, double latMinutes, double lonMinutes, const KmlIcons& icons);

    KmlText& append(std::string_view more) {
        text_.append(more);
        return *this;
    }
    std::string take() { return std::move(text_); }

  private:
    // lon "," lat "," then `after` (the altitude, and the line's end if any).
    void coordinates(double latMinutes, double lonMinutes, std::string_view after);

    std::string text_;
};

}  // namespace korvane

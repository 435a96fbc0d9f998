#include "export/kml_placemarks.h"

#include "base/numbers.h"
#include "export/kml_text.h"
#include "ui_text/message_table.h"

namespace korvane {

namespace {

constexpr std::string_view kEol = "\r\n";

// A viewer takes a URL here; a bare path of bytes that are not UTF-8 would
// make the whole file unreadable.
std::string iconHref(const std::filesystem::path& folder, const std::string& file) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(folder / file, ec);
    if (ec) path = folder / file;
    return fileUrl(path.lexically_normal().native());
}

}  // namespace

KmlIcons::KmlIcons(const std::filesystem::path& iconFolder) {
    for (std::size_t i = 0; i < boat.size(); ++i)
        boat[i] = iconHref(iconFolder, "ar" + std::to_string(i * 10) + ".png");
    buoy = iconHref(iconFolder, "buoi.png");
}

KmlText& KmlText::line(std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) text_ += piece;
    text_ += kEol;
    return *this;
}

void KmlText::coordinates(double latMinutes, double lonMinutes, std::string_view after) {
    // Both numbers through a buffer on the stack, not a string each: a track
    // is little else, fix after fix.
    char text[2 * kNumberChars + 16];
    char* p = writeNumber(text, lonMinutes / 60);
    *p++ = ',';
    p = writeNumber(p, latMinutes / 60);
    *p++ = ',';
    text_.append(text, static_cast<std::size_t>(p - text)).append(after);
}

void KmlText::beginning(std::string_view caption) {
    line({R"(<?xml version="1.0" encoding="UTF-8"?>)"});
    line({R"(<kml xmlns="http://earth.google.com/kml/2.0">)"});
    line({"<Folder>"});
    line({"<name>", escapeXml(kmlRaceName(caption)), "</name><open>1</open>"});
}

void KmlText::lineStart(std::string_view name, std::string_view colour, int widthPixels) {
    line({"<Placemark><name>", escapeXml(name), "</name>"});
    line({"<Style><LineStyle><color>", colour, "</color><width>", std::to_string(widthPixels),
          "</width></LineStyle></Style>"});
    line({"<LineString><coordinates>"});
}

void KmlText::linePoint(double latMinutes, double lonMinutes) {
    coordinates(latMinutes, lonMinutes, "0.0 \r\n");
}

void KmlText::lineEnd() {
    line({"</coordinates></LineString></Placemark>"});
}

void KmlText::boat(const Boat& boat, const BoatInstant& at, const KmlIcons& icons,
                   Language language) {
    const std::string when = formatTimestamp(at.time);
    const std::string lat = kmlDegrees(at.latMinutes);
    const std::string lon = kmlDegrees(at.lonMinutes);
    const std::string speed = kmlSpeed(at.speedKnots);
    const std::string heading = kmlHeading(at.headingDegrees);
    line({"<Placemark><name>", escapeXml(boat.name), "</name>"});
    const std::pair<BoatFact, std::string_view> facts[] = {{BoatFact::DateTime, when},
                                                           {BoatFact::Latitude, lat},
                                                           {BoatFact::Longitude, lon},
                                                           {BoatFact::Speed, speed},
                                                           {BoatFact::Heading, heading}};
    // The list opens on the first fact's line.
    text_ += R"(<description><![CDATA[<ul type="disk">)";
    for (const auto& [fact, value] : facts) {
        const FactLabel label = factLabel(fact, language);
        line({"<li>", label.name, value, label.unit, "<br>"});
    }
    line({"</ul>]]></description>"});
    line({"<visibility>1</visibility><Style><IconStyle><heading>0</heading><Icon><href>"});
    line({icons.boat[static_cast<std::size_t>(iconHeading(at.headingDegrees) / 10)],
          "</href></Icon></IconStyle></Style>"});
    text_ += "<Point><coordinates>";
    coordinates(at.latMinutes, at.lonMinutes, "0");
    line({"</coordinates>"});
    line({"</Point></Placemark>"});
}

void KmlText::buoy(std::string_view name, double latMinutes, double lonMinutes,
                   const KmlIcons& icons) {
    line({"<Placemark><name>", escapeXml(name), "</name>"});
    line({"<visibility>1</visibility><Style><IconStyle><Icon>"});
    line({"<href>", icons.buoy, "</href></Icon></IconStyle></Style>"});
    text_ += "<Point><coordinates>";
    coordinates(latMinutes, lonMinutes, "0");
    line({"</coordinates>"});
    line({"</Point></Placemark>"});
}

}  // namespace korvane

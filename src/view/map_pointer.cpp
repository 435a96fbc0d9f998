#include "view/map_pointer.h"

#include <cmath>

namespace korvane {

namespace {

constexpr int kCompassCorner = 100;
constexpr int kWakeBand = 100;

QString degreesAndMinutes(double minutes, QChar positive, QChar negative) {
    const double a = std::abs(minutes);
    const double degrees = std::floor(a / 60);
    // The minutes written after 100 keep two integer digits; the decimals
    // are cut after the third, never rounded up into the next minute:
    // 5.1239 -> 05.123, 5 -> 05.000.
    const QString shifted = QString::number(a - degrees * 60 + 100, 'f', 9);
    return QString(minutes > 0 ? positive : negative) + QString::number(degrees, 'f', 0) +
           QLatin1Char(':') + shifted.mid(1, 6);
}

}  // namespace

MapDetail pointerZones(const PointerPlace& at, Page page, bool autoTrace, bool showName) {
    MapDetail z;
    const int w = at.width, h = at.height;
    const bool leftOfRightQuarter = page == Page::Track && at.x < 3 * w / 4.0;
    z.showHiddenBoats = z.windArrowOn = z.landmarksOn = leftOfRightQuarter;
    if (page == Page::Track) {
        if (leftOfRightQuarter) z.labelLevel = 1;
        if (at.x < w / 2.0) z.labelLevel = 2;
        if (at.x < w / 4.0) z.labelLevel = 3;
        if (at.x < kCompassCorner && at.y < kCompassCorner) z.boatVanesOn = true;
    }
    if (showName && z.labelLevel < 1) z.labelLevel = 1;
    z.wakeColouringOn = autoTrace && at.y > h - kWakeBand && at.y < h && at.x < w;
    z.blinkNamesOn = autoTrace && at.y < h / 3.0 && z.labelLevel == 0;
    return z;
}

QString latitudeText(double latMinutes) {
    return degreesAndMinutes(latMinutes, QLatin1Char('N'), QLatin1Char('S'));
}

QString longitudeText(double lonMinutes) {
    return degreesAndMinutes(lonMinutes, QLatin1Char('E'), QLatin1Char('W'));
}

QString mapCaption(const std::string& raceCaption, const std::string& note, double latMinutes,
                   double lonMinutes, Page page, bool smallScreen) {
    const QString caption = QString::fromStdString(raceCaption);
    const QString noteText = QString::fromStdString(note);
    if (page != Page::Track) return caption + QString(5, QLatin1Char(' ')) + noteText;
    if (smallScreen) return caption;
    return caption + QString(7, QLatin1Char(' ')) + latitudeText(latMinutes) +
           QString(4, QLatin1Char(' ')) + longitudeText(lonMinutes) + QString(6, QLatin1Char(' ')) +
           noteText;
}

}  // namespace korvane

#include "weather/weather_address.h"

#include <cmath>
#include <string>

namespace korvane {

namespace {

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string fourDigits(int n) {
    std::string s = std::to_string(n);
    return std::string(s.size() < 4 ? 4 - s.size() : 0, '0') + s;
}

}  // namespace

Timestamp replayMoment(Timestamp raceStart, double replaySeconds) {
    return raceStart + std::nearbyint(replaySeconds) / kSecondsPerDay;
}

std::string weatherAddress(Timestamp moment, Timestamp now, const WeatherArea* area) {
    // The date comes from the calendar fields, never from a locale's
    // short-date text, whose field order varies.
    const CalendarFields date = toCalendar(datePart(moment));
    // By calendar day, not by hours: today's page already shows the day's
    // weather so far, a later day's has nothing.
    if (datePart(moment) > datePart(now)) {
        if (!area) return kCurrentChartPage;
        return std::string(kForecastBase) + area->areaCode + "/" + area->subAreaCode + ".html";
    }
    const double ageDays = std::trunc(now - moment);
    if (ageDays >= kChartArchiveAgeDays || !area) {
        return std::string(kDailyChartBase) + fourDigits(date.year) + "/" +
               twoDigits(date.year % 100) + twoDigits(date.month) + ".pdf";
    }
    return std::string(kPastWeatherBase) + area->areaCode + "/" + area->subAreaCode +
           "/detail.html?c=" + fourDigits(date.year) + "&m=" + std::to_string(date.month) +
           "&d=" + std::to_string(date.day);
}

}  // namespace korvane

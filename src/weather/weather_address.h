// The web address of the weather of the replayed day: the past-weather page
// of the nearest area for a recent race, the month's PDF of daily weather
// charts for an older one, the forecast for a day still to come. Only the address is built here;
// the window hands it to the desktop.
#pragma once

#include <string>

#include "base/timestamp.h"
#include "weather/weather_areas.h"

namespace korvane {

// The past-weather service; the area's two codes and the date follow.
inline constexpr const char* kPastWeatherBase = "https://weather.yahoo.co.jp/weather/jp/past/";
// The meteorological agency's archive of daily weather charts, one PDF a month.
inline constexpr const char* kDailyChartBase = "https://www.data.jma.go.jp/fcd/yoho/data/hibiten/";
// Races at least this many days old have left the past-weather service.
inline constexpr int kChartArchiveAgeDays = 730;
// A race on a day still to come has no past weather yet: the area's
// forecast page (the two codes and ".html" follow), or, far from every
// area, the agency's current weather charts.
inline constexpr const char* kForecastBase = "https://weather.yahoo.co.jp/weather/jp/";
inline constexpr const char* kCurrentChartPage = "https://www.jma.go.jp/bosai/weather_map/";

// The replayed moment: the race start plus the replay offset to the whole second.
Timestamp replayMoment(Timestamp raceStart, double replaySeconds);

// The address for the replayed `moment` seen at local time `now`, for the
// nearest `area` (nullptr when none: the chart archive then serves every age).
std::string weatherAddress(Timestamp moment, Timestamp now, const WeatherArea* area);

}  // namespace korvane

// A clock time as a user types it into the JUMP field: "hh:mm:ss",
// "hhmmss", or "mm:ss" within the hour on show.
#pragma once

#include <QStringView>
#include <optional>

namespace korvane {

// Seconds of the day typed in `text` (spaces around it allowed), or nothing
// when it is no time of day: a field out of range (25:00:00, 12:60:00), a
// sign, a letter, a missing or extra field. "mm:ss" keeps `shownHour`.
std::optional<int> parseTypedTime(QStringView text, int shownHour);

}  // namespace korvane

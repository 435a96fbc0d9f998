// Reader of Vakaros VKX logs: a sequence of rows, each a key byte and a
// payload whose size the key fixes. Keeps the position rows (with their
// speed and course over ground) and, beside them, the race timer's events
// and the pinged ends of the start line. Pure: bytes and the race window
// in; it never reads outside `bytes`.
#pragma once

#include <string_view>

#include "tracks/fix_collector.h"
#include "tracks/log_contents.h"

namespace korvane {

// An instrument pinging the line over and over does not make the side
// table grow without end: events past this many are not kept.
inline constexpr std::size_t kMaxInstrumentEvents = 4096;

LogContents readVkx(std::string_view bytes, const ReadWindow& window);

}  // namespace korvane

// Fuzz target of the VKX reader: the fixes keep to the window, the events
// to their side table's limits, and a warning is only ever about a key.
#include "reader_fuzz.h"
#include "tracks/vkx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("vkx", fuzz::kSeedStartUnix);
    const LogContents c = readVkx(bytes, w);
    fuzz::checkFixes(c.fixes, w);
    for (const TrackPoint& p : c.fixes)
        if (!std::isfinite(p.speedKnots) || !(p.courseDegrees >= 0 && p.courseDegrees < 360))
            __builtin_trap();
    if (c.events.size() > kMaxInstrumentEvents) __builtin_trap();
    for (const InstrumentEvent& e : c.events)
        if (e.timeSeconds < -3600 || e.timeSeconds >= w.timelineEnd + 120 ||
            !std::isfinite(e.latMinutes) || !std::isfinite(e.lonMinutes))
            __builtin_trap();
    if (!c.warning.empty() && c.warning.find("unknown row") != 0) __builtin_trap();
    return 0;
}

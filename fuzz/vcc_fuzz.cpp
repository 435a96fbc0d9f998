// Fuzz target of the VCC reader: fixes inside the window with finite
// positions, speeds and courses folded into 0..360.
#include "reader_fuzz.h"
#include "tracks/vcc_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("vcc", fuzz::kSeedStartUnix);
    const LogContents c = readVcc(bytes, w);
    fuzz::checkFixes(c.fixes, w);
    for (const TrackPoint& p : c.fixes)
        if (!std::isfinite(p.speedKnots) || !(p.courseDegrees >= 0 && p.courseDegrees < 360))
            __builtin_trap();
    return 0;
}

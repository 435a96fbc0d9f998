// Fuzz target of the GPX reader; it must also agree with the slow reader
// that follows the rules character by character.
#include "../tests/tracks/literal_readers.h"
#include "reader_fuzz.h"
#include "tracks/gpx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("gpx", fuzz::kSeedStartUnix);
    const auto fixes = readGpx(bytes, w);
    fuzz::checkFixes(fixes, w);
    if (!literal::sameFixes(fixes, literal::readGpx(bytes, w))) __builtin_trap();
    return 0;
}

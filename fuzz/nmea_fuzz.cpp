// Fuzz target of the NMEA reader; it must also agree with the slow reader
// that splits every line with the race files' field splitter.
#include "../tests/tracks/literal_readers.h"
#include "reader_fuzz.h"
#include "tracks/nmea_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("log", fuzz::kSeedStartUnix);
    const auto fixes = readNmea(bytes, w);
    fuzz::checkFixes(fixes, w);
    if (!literal::sameFixes(fixes, literal::readNmea(bytes, w))) __builtin_trap();
    return 0;
}

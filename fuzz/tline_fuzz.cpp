// Fuzz target of the "T"-line reader ("dtr", "trk").
#include "reader_fuzz.h"
#include "tracks/tline_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("dtr", fuzz::kSeedStartUnix);
    fuzz::checkFixes(readTLines(bytes, w), w);
    return 0;
}

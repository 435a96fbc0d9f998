// Fuzz target of the "gdb" scanning reader.
#include "reader_fuzz.h"
#include "tracks/binary_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("gdb", fuzz::kSeedStartUnix);
    fuzz::checkFixes(readGdb(bytes, w), w);
    return 0;
}

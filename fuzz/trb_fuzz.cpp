// Fuzz target of the "trb" fixed-record reader.
#include "reader_fuzz.h"
#include "tracks/binary_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("trb", fuzz::startFromFirstRecord(bytes));
    fuzz::checkFixes(readTrb(bytes, w), w);
    return 0;
}

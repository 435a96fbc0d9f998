// Fuzz target of the "trl" fixed-record reader.
#include "reader_fuzz.h"
#include "tracks/binary_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadWindow w = fuzz::windowFor("trl", fuzz::startFromFirstRecord(bytes));
    fuzz::checkFixes(readTrl(bytes, w), w);
    return 0;
}

#include "tracks/reader_table.h"

#include <array>

#include "tracks/binary_readers.h"
#include "tracks/gpx_reader.h"
#include "tracks/nmea_reader.h"
#include "tracks/text_scan.h"
#include "tracks/tline_reader.h"

namespace korvane {

namespace {

using enum WindowKind;

// clang-format off
constexpr std::array kReaders{
    //          ext    reader      window    margin step threshold stops
    ReaderEntry{"gpx", readGpx,    Standard, 50,    100, 100,      true},
    ReaderEntry{"trb", readTrb,    Extended, 10,    50,  100,      false},
    ReaderEntry{"gdb", readGdb,    Standard, 50,    100, 50,       false},
    ReaderEntry{"mps", readMps,    Standard, 50,    100, 50,       false},
    ReaderEntry{"trl", readTrl,    Standard, 50,    100, 50,       true},
    ReaderEntry{"dtr", readTLines, Standard, 50,    100, 100,      true},
    ReaderEntry{"trk", readTLines, Standard, 50,    100, 100,      true},
    ReaderEntry{"log", readNmea,   Standard, 50,    100, 100,      false},
};
// clang-format on

}  // namespace

std::span<const ReaderEntry> readerTable() {
    return kReaders;
}

const ReaderEntry* readerForFile(std::string_view fileName) {
    if (fileName.size() < 3) return nullptr;
    const std::string_view tail = fileName.substr(fileName.size() - 3);
    for (const ReaderEntry& entry : kReaders)
        if (equalsNoCase(tail, entry.extension)) return &entry;
    return nullptr;
}

}  // namespace korvane

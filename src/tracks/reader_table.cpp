#include "tracks/reader_table.h"

#include <array>

#include "tracks/binary_readers.h"
#include "tracks/gpx_reader.h"
#include "tracks/nmea_reader.h"
#include "tracks/text_scan.h"
#include "tracks/tline_reader.h"
#include "tracks/vcc_reader.h"
#include "tracks/vkx_reader.h"

namespace korvane {

namespace {

using enum WindowKind;

// The loggers' formats give positions only.
template <TrackReader Read>
LogContents positionsOnly(std::string_view bytes, const ReadWindow& window) {
    LogContents c;
    c.fixes = Read(bytes, window);
    return c;
}

// clang-format off
constexpr std::array kReaders{
    //          ext    reader                     window    margin step threshold stops
    ReaderEntry{"gpx", positionsOnly<readGpx>,    Standard, 50,    100, 100,      true},
    ReaderEntry{"trb", positionsOnly<readTrb>,    Extended, 10,    50,  100,      false},
    ReaderEntry{"gdb", positionsOnly<readGdb>,    Standard, 50,    100, 50,       false},
    ReaderEntry{"mps", positionsOnly<readMps>,    Standard, 50,    100, 50,       false},
    ReaderEntry{"trl", positionsOnly<readTrl>,    Standard, 50,    100, 50,       true},
    ReaderEntry{"dtr", positionsOnly<readTLines>, Standard, 50,    100, 100,      true},
    ReaderEntry{"trk", positionsOnly<readTLines>, Standard, 50,    100, 100,      true},
    ReaderEntry{"log", positionsOnly<readNmea>,   Standard, 50,    100, 100,      false},
    // Racing instruments: the rules of the GPX row, but read to the end:
    // a time that jumps ahead before the GPS has its fix must not cost the
    // race that follows it in the log.
    ReaderEntry{"vkx", readVkx,                   Standard, 50,    100, 100,      false},
    ReaderEntry{"vcc", readVcc,                   Standard, 50,    100, 100,      false},
};
// clang-format on

}  // namespace

std::span<const ReaderEntry> readerTable() {
    return kReaders;
}

bool endsWithExtension(std::string_view fileName, std::string_view extension) {
    if (extension.empty() || fileName.size() < extension.size()) return false;
    return equalsNoCase(fileName.substr(fileName.size() - extension.size()), extension);
}

const ReaderEntry* readerForFile(std::string_view fileName) {
    const ReaderEntry* best = nullptr;
    for (const ReaderEntry& entry : kReaders)
        if (endsWithExtension(fileName, entry.extension) &&
            (!best || entry.extension.size() > best->extension.size()))
            best = &entry;
    return best;
}

}  // namespace korvane

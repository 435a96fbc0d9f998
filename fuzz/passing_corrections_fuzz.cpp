// Corrections files are edited by hand beside the race file: any bytes must
// give corrections of boats and points the race has, or warnings, and the
// corrections must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "race/passing_corrections.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::RaceModel model;
    for (const char* entry : {"L1", "MK1", "L1"}) model.race.course.append(entry);
    for (const char* name : {"Kaze", "疾風"}) {
        korvane::Boat boat;
        boat.name = name;
        model.boats.append(boat);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = korvane::parsePassingCorrections(bytes, "fuzz.passings", model);
    for (const auto& c : read.corrections.items())
        if (c.boat < 0 || c.boat >= model.boatCount() || c.point < 0 ||
            c.point >= model.race.courseLength())
            __builtin_trap();
    const std::string again = korvane::formatPassingCorrections(
        read.corrections, model, korvane::TextEncoding::Cp932, "\r\n");
    if (!(korvane::parsePassingCorrections(again, "again", model).corrections == read.corrections))
        __builtin_trap();
    return 0;
}

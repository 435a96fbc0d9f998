// Race files travel between clubs by USB stick and download: any bytes must
// give a model or a RaceFileError, never a crash, and a document written
// back unedited must be the bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <string>

#include "race/race_file.h"
#include "race/race_file_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const korvane::RaceDocument document = korvane::RaceDocument::fromBytes(bytes);
    if (document.toBytes() != bytes) __builtin_trap();
    korvane::RaceFileOptions options;
    options.fileExists = [](korvane::RaceFolder, const std::string& name) {
        return !name.empty() && name[0] != 'x';
    };
    korvane::RaceModel model;
    try {
        korvane::parseRaceDocument(document, "fuzz.txt", model, options);
    } catch (const korvane::RaceFileError&) {
    }
    return 0;
}

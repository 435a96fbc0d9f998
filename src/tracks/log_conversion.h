// Logs of the formats we have no reader of, read through gpsbabel: it turns
// the log into GPX, which our GPX reader reads under the GPX row's rules of
// the reader table. The fixes are kept in the user's cache folder, so the
// converter runs once per log. A missing, failing, hanging or runaway
// converter costs the boat, with a warning saying why, never the race.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>

#include "tracks/fix_collector.h"
#include "tracks/log_contents.h"

namespace korvane {

struct ConversionOptions {
    std::string program = "gpsbabel";
    std::chrono::milliseconds timeLimit{60'000};
    // A log larger than this is not given to the converter: a 3-hour FIT
    // log at 25 Hz is about 10 MB, and the converter takes half a minute
    // per GB before it fails on a file that is no log.
    std::uintmax_t inputLimitBytes = std::uintmax_t{64} << 20;
    // A 3-hour log at 25 Hz gives about 40 MB of GPX; several logs are
    // converted at once, each holding this much at most.
    std::size_t outputLimitBytes = std::size_t{128} << 20;
    std::filesystem::path cacheDir;  // empty: nothing is cached
};

// The options a race opening uses: the user's cache folder.
ConversionOptions defaultConversionOptions();

// gpsbabel's name of the format of `fileName`, by its extension; empty when
// it is none of the formats converted.
std::string_view converterFormatFor(std::string_view fileName);

// Reads the log at `path` through the converter (or the cache). Its fixes
// pass the race window as a GPX log's would; `warning` says why a log gave
// nothing. A stop request kills a running converter.
LogContents readConvertedLog(const std::filesystem::path& path, std::string_view format,
                             const ReadWindow& window, const ConversionOptions& options,
                             std::stop_token stop = {});

// The converter's error text as a warning may show it: terminal escapes
// and other control characters dropped, line ends turned to spaces.
std::string printableMessage(std::string_view text);

}  // namespace korvane

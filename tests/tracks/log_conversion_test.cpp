// Logs read through gpsbabel: the fixes of the GPX they were made from, a
// cache that spares the second conversion, and a converter that is missing
// or misbehaves costing only its boat.
#include "tracks/log_conversion.h"

#include <gtest/gtest.h>

#include "base/bounded_process.h"
#include "temp_race.h"
#include "tracks/conversion_cache.h"
#include "tracks/track_import.h"

namespace korvane {
namespace {

using namespace testlogs;
namespace fs = std::filesystem;

bool haveGpsbabel() {
    return runBoundedProcess({"gpsbabel", "-V"}, {}).outcome == ProcessResult::Outcome::Finished;
}

ConversionOptions optionsIn(const TempRoot& root, std::string program = "gpsbabel") {
    ConversionOptions o;
    o.program = std::move(program);
    o.cacheDir = root.path() / "cache";
    o.timeLimit = std::chrono::milliseconds(20'000);
    return o;
}

// A track that turns, crosses the equator and the meridian, so no sign or
// hemisphere is lost on the way through another format.
std::vector<Fix> wanderingRun() {
    std::vector<Fix> fixes;
    for (int k = 0; k < 300; ++k)
        fixes.push_back({kStartUnix - 350 + 7 * k, 0.01 - k * 7.3e-5, -0.02 + 1.1e-4 * (k % 37)});
    return fixes;
}

TEST(LogConversion, FitAndTcxMadeByGpsbabelLoadToTheFixesOfTheirGpx) {
    if (!haveGpsbabel()) GTEST_SKIP() << "gpsbabel is not installed";
    TempRoot root;
    root.log("a.gpx", gpx(wanderingRun()));
    const fs::path dir = root.path() / "gpsdat";
    for (const auto& [format, file] : {std::pair{"garmin_fit", "a.fit"}, {"gtrnctr", "a.tcx"}})
        ASSERT_EQ(runBoundedProcess({"gpsbabel", "-i", "gpx", "-f", (dir / "a.gpx").string(), "-o",
                                     format, "-F", (dir / file).string()},
                                    {})
                      .exitStatus,
                  0);
    auto load = [&](const ConversionOptions& options) {
        RaceModel m = raceModel();
        for (const char* log : {"a.gpx", "a.fit", "a.tcx"}) m.boats.append(boat(log, log));
        const TrackImportResult r = loadAllTracks(m, root.path(), {}, 2, options);
        EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
        return m;
    };
    for (const bool cached : {false, true}) {
        SCOPED_TRACE(cached ? "from the cache" : "converted");
        // The second time round the converter is not even there.
        const RaceModel m = load(optionsIn(root, cached ? "korvane-no-converter" : "gpsbabel"));
        ASSERT_EQ(m.boatCount(), 3);
        const auto& want = m.boats[0].track;
        ASSERT_GT(want.size(), 250u);
        for (int b : {1, 2}) {
            const auto& got = m.boats[b].track;
            ASSERT_EQ(times(got), times(want)) << b;
            // A FIT file holds semicircles: 2^-31 of 180 degrees.
            for (std::size_t k = 0; k < got.size(); ++k) {
                EXPECT_NEAR(got[k].latMinutes, want[k].latMinutes, 6e-6) << b << " " << k;
                EXPECT_NEAR(got[k].lonMinutes, want[k].lonMinutes, 6e-6) << b << " " << k;
            }
        }
    }
}

TEST(ConversionCache, FindsAnEntryOnlyForTheSameLogAsItWas) {
    TempRoot root;
    root.log("a.fit", "first");
    const fs::path log = root.path() / "gpsdat" / "a.fit";
    const ConversionCache cache(root.path() / "cache");
    const auto key = ConversionCache::keyOf(log);
    ASSERT_TRUE(key);
    const std::vector<DatedFix> fixes{{100, 2116.5, 8368.25}, {-7, -1.5, 0}};
    cache.store(*key, fixes);
    const auto found = cache.find(*key);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 2u);
    EXPECT_EQ((*found)[1].seconds, -7);
    EXPECT_EQ((*found)[0].lonMinutes, 8368.25);
    root.log("a.fit", "second, longer");
    const auto changed = ConversionCache::keyOf(log);
    ASSERT_TRUE(changed);
    EXPECT_NE(*changed, *key);
    EXPECT_FALSE(cache.find(*changed));
    EXPECT_FALSE(ConversionCache::keyOf(root.path() / "gpsdat" / "none.fit"));
    // A damaged entry is not used.
    for (const auto& entry : fs::directory_iterator(root.path() / "cache"))
        fs::resize_file(entry.path(), fs::file_size(entry.path()) - 3);
    EXPECT_FALSE(cache.find(*key));
}

struct BadConverter {
    const char* name;
    const char* script;
    const char* warning;  // a part of the warning
};

class BadConverterTest : public testing::TestWithParam<BadConverter> {};

TEST_P(BadConverterTest, SkipsOnlyTheBoatWithAWarning) {
    TempRoot root;
    root.log("a.gpx", gpx(fixRun(30, 10)));
    root.log("b.fit", "not really a FIT file");
    ConversionOptions options = optionsIn(root, (root.path() / "converter").string());
    options.timeLimit = std::chrono::milliseconds(500);
    options.outputLimitBytes = 1 << 20;
    if (*GetParam().script) {
        root.write("converter", std::string("#!/bin/sh\n") + GetParam().script + "\n");
        fs::permissions(options.program, fs::perms::owner_all);
    }
    RaceModel m = raceModel();
    m.boats.append(boat("b.fit", "Watch"));
    m.boats.append(boat("a.gpx", "Logger"));
    const TrackImportResult r = loadAllTracks(m, root.path(), {}, 2, options);
    ASSERT_EQ(m.boatCount(), 1);
    EXPECT_EQ(m.boats[0].name, "Logger");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].rfind("b.fit: ", 0), 0u) << r.warnings[0];
    EXPECT_NE(r.warnings[0].find(GetParam().warning), std::string::npos) << r.warnings[0];
    // What the converter said reaches the user as plain text.
    for (const char c : r.warnings[0]) EXPECT_GE(static_cast<unsigned char>(c), 0x20);
    EXPECT_FALSE(fs::exists(root.path() / "cache"));  // nothing cached
}

INSTANTIATE_TEST_SUITE_P(
    Converters, BadConverterTest,
    testing::Values(BadConverter{"missing", "", "apt-get install gpsbabel"},
                    BadConverter{"hangs", "sleep 30", "stopped after 1 s"},
                    BadConverter{"writesWithoutEnd", "exec yes '<trkpt lat=\"1\" lon=\"1\">'",
                                 "more than 1 MB"},
                    BadConverter{"fails", "echo 'bad file header' >&2; exit 1",
                                 "could not read this log: bad file header"},
                    BadConverter{"crashes", "kill -SEGV $$", "crashed"},
                    BadConverter{"writesEscapes",
                                 "printf '\\033[1;31mbad\\033[0m\\theader\\r\\n\\033]0;title\\007"
                                 "at byte 9\\a\\n' >&2; exit 1",
                                 "could not read this log: bad header at byte 9"}),
    [](const testing::TestParamInfo<BadConverter>& info) { return std::string(info.param.name); });

// A log far larger than any race's is refused without running the
// converter, which would spend a minute on it.
TEST(LogConversion, AnOversizeLogIsRefusedBeforeTheConverterRuns) {
    TempRoot root;
    root.log("b.fit", "");
    fs::resize_file(root.path() / "gpsdat" / "b.fit", std::uintmax_t{2} << 30);  // sparse
    root.log("a.gpx", gpx(fixRun(30, 10)));
    const ConversionOptions options = optionsIn(root, (root.path() / "converter").string());
    root.write("converter", "#!/bin/sh\ntouch \"$0.ran\"\n");
    fs::permissions(options.program, fs::perms::owner_all);
    RaceModel m = raceModel();
    m.boats.append(boat("b.fit", "Watch"));
    m.boats.append(boat("a.gpx", "Logger"));
    const TrackImportResult r = loadAllTracks(m, root.path(), {}, 2, options);
    EXPECT_EQ(m.boatCount(), 1);
    EXPECT_EQ(r.warnings, std::vector<std::string>{"b.fit: log larger than 64 MB, not given to " +
                                                   options.program});
    EXPECT_FALSE(fs::exists(options.program + ".ran"));
}

}  // namespace
}  // namespace korvane

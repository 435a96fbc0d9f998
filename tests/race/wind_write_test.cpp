// Writing a drawn wind history: its name, its order, and that it reads back.
#include <gtest/gtest.h>
#include <unistd.h>

#include "base/file_io.h"
#include "race/race_time.h"
#include "race/wind_file.h"

namespace korvane {
namespace {

TEST(WindFileName, TakesTheRaceNameUpToTheFirstDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"race.final.txt", "race_wind.csv"},
        {"enoshima-cup.txt", "enoshima-cup_wind.csv"},
        {"noext", "noext_wind.csv"},
        {"a,b.txt", "a_b_wind.csv"},
    };
    for (const auto& [race, wind] : cases) EXPECT_EQ(windFileNameFor(race), wind) << race;
}

TEST(WriteWindFile, SamplesDrawnRightToLeftReadBackInTimeOrder) {
    const Timestamp start = *parseTimestamp("2024/05/12 11:00:00");
    // Drawn in a zig-zag of times, as a mouse may.
    const std::vector<WindSample> drawn = {
        {600, 0, 210}, {-120, 0, 190}, {3600, 0, 5}, {0, 0, 200}, {1800, 0, 355}};
    const auto root =
        std::filesystem::temp_directory_path() / ("korvane-wind-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    const WindWriteResult written = writeWindFile(root, "race.final.txt", drawn, start);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_EQ(written.fileName, "race_wind.csv");
    const auto bytes = readFileBytes(root / "winddat" / "race_wind.csv");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 42), "DATE TIME, TWS,TWD\r\n2024/05/12 10:58:00,0,");

    RaceModel back;
    back.race.start = start;
    back.race.windFile = written.fileName;
    EXPECT_EQ(readWindFile(root, back).badLine, 0);
    std::filesystem::remove_all(root);
    ASSERT_EQ(back.windSamples.size(), drawn.size());
    for (std::size_t i = 1; i < back.windSamples.size(); ++i)
        EXPECT_LT(back.windSamples[i - 1].timeSeconds, back.windSamples[i].timeSeconds);
    for (const WindSample& d : drawn) {
        const auto it =
            std::find_if(back.windSamples.begin(), back.windSamples.end(),
                         [&](const WindSample& s) { return s.timeSeconds == d.timeSeconds; });
        ASSERT_NE(it, back.windSamples.end()) << d.timeSeconds;
        EXPECT_EQ(it->twdDegrees, d.twdDegrees);
        EXPECT_EQ(it->tws, 0);
    }
    EXPECT_EQ(back.maxTws, 0);
}

}  // namespace
}  // namespace korvane

#include "race/wind_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

RaceModel raceStartingAt11() {
    RaceModel m;
    m.race.start = 45424 + 11.0 / 24;  // 2024/05/12 11:00:00
    return m;
}

TEST(ParseWindFile, ReadsTimesSpeedsAndRoundedDirections) {
    RaceModel m = raceStartingAt11();
    const auto r = parseWindFile(
        "DATE TIME, TWS,TWD\r\n2024/05/12 10:59:00,8.5,22.5\r\n2024/05/12 11:10:00,12.25,23.5\r\n",
        m);
    EXPECT_EQ(r.badLine, 0);
    ASSERT_EQ(m.windSamples.size(), 2u);
    EXPECT_EQ(m.windSamples[0].timeSeconds, -60);
    EXPECT_EQ(m.windSamples[1].timeSeconds, 600);
    EXPECT_EQ(m.windSamples[0].twdDegrees, 22);  // halves to even
    EXPECT_EQ(m.windSamples[1].twdDegrees, 24);
    EXPECT_DOUBLE_EQ(m.windSamples[1].tws, 12.25);
    EXPECT_DOUBLE_EQ(m.maxTws, 12.25);
}

TEST(ParseWindFile, HeaderOnlyGivesNoSamples) {
    RaceModel m = raceStartingAt11();
    m.maxTws = 3;
    parseWindFile("DATE TIME, TWS,TWD\n", m);
    EXPECT_TRUE(m.windSamples.empty());
    EXPECT_EQ(m.maxTws, 0);
}

TEST(ParseWindFile, BadLineStopsReadingAndKeepsEarlierSamples) {
    RaceModel m = raceStartingAt11();
    const auto r = parseWindFile(
        "h\n2024/05/12 11:00:00,5,180\n2024/05/12 11:01:00,x,190\n2024/05/12 11:02:00,6,200\n", m);
    EXPECT_EQ(r.badLine, 3);
    ASSERT_EQ(m.windSamples.size(), 1u);
    EXPECT_EQ(m.windSamples[0].twdDegrees, 180);
}

TEST(ParseWindFile, HugeDirectionDoesNotOverflow) {
    RaceModel m = raceStartingAt11();
    parseWindFile("h\n2024/05/12 11:00:00,5,1e300\n", m);
    ASSERT_EQ(m.windSamples.size(), 1u);
    EXPECT_GT(m.windSamples[0].twdDegrees, 0);
}

class ReadWindFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root =
            std::filesystem::temp_directory_path() /
            ("korvane-wind-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(root / "winddat");
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    std::filesystem::path root;
};

TEST_F(ReadWindFileTest, MissingFileClearsTheName) {
    RaceModel m = raceStartingAt11();
    m.race.windFile = "nothere.csv";
    m.windSamples.push_back({});
    const auto r = readWindFile(root, m);
    EXPECT_FALSE(r.fileFound);
    EXPECT_TRUE(m.race.windFile.empty());
    EXPECT_TRUE(m.windSamples.empty());
}

TEST_F(ReadWindFileTest, FindsTheFileWhateverTheLetterCase) {
    std::ofstream(root / "winddat" / "Race_Wind.csv")
        << "DATE TIME, TWS,TWD\n2024/05/12 11:00:30,7,195\n";
    RaceModel m = raceStartingAt11();
    m.race.windFile = "race_wind.CSV";
    const auto r = readWindFile(root, m);
    EXPECT_TRUE(r.fileFound);
    EXPECT_EQ(m.race.windFile, "race_wind.CSV");
    ASSERT_EQ(m.windSamples.size(), 1u);
    EXPECT_EQ(m.windSamples[0].timeSeconds, 30);
    EXPECT_EQ(m.windSamples[0].twdDegrees, 195);
}

}  // namespace
}  // namespace korvane

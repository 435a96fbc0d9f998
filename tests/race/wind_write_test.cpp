// Writing a drawn wind history: its name, its order, and that it reads back.
#include <gtest/gtest.h>
#include <unistd.h>

#include "base/file_io.h"
#include "race/race_time.h"
#include "race/wind_file.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

std::string times(int n, std::string_view piece) {
    std::string out;
    for (int i = 0; i < n; ++i) out += piece;
    return out;
}

TEST(WindFileName, TakesTheRaceNameUpToTheFirstDot) {
    const std::string a = "\u3042";       // UTF-8, three bytes
    const std::string a932 = "\x82\xA0";  // the same character in CP932
    const std::pair<std::string, std::string> cases[] = {
        {"race.final.txt", "race_wind.csv"},
        {"enoshima-cup.txt", "enoshima-cup_wind.csv"},
        {"noext", "noext_wind.csv"},
        {"a,b.txt", "a_b_wind.csv"},
        // At most the first 50 bytes of the name, never half a character,
        // in the name's own encoding, and UTF-8 for the WF line.
        {times(17, a) + ".txt", times(16, a) + "_wind.csv"},
        {"x" + times(25, a932) + ".txt", "x" + times(24, a) + "_wind.csv"},
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
    const WindWriteResult written =
        writeWindFile(root, windFileNameFor("race.final.txt"), drawn, start);
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

// Two race names can give one wind name, and one name may not survive the
// WF line; what "Save Wind Data" would do is decided before it writes.
TEST(PlanWindFile, NeverTakesAnotherRacesWindWithoutAsking) {
    testing::TempTree tree;
    const std::pair<const char*, const char*> races[] = {
        {"a.b.txt", "WF,a_wind.csv\r\n"},
        {"a.c.txt", "T1,C\r\n"},
        {".x.txt", "WF,_wind.csv\r\n"},
        {"..txt", "T1,dots\r\n"},
        {"back\\slash.txt", "T1,b\r\n"},
        {"cup.txt", "WF,cup_wind.csv // own\r\n"},
        {"val.txt", "WF,val_wind.csv\r\n"},
        {"val-2.txt", "wf, VAL_WIND.CSV\r\n"},
        {"d.txt", "T1,\x93\xEC\r\n"},
        {"d\u00e9\U0001F600.txt", "T1,\x93\xEC\r\n"},
        {"e.txt", "T1,E\r\n"},
    };
    for (const auto& [name, text] : races) tree.write(std::string("raceadmin/") + name, text);
    for (const char* wind :
         {"a_wind.csv", "_wind.csv", "cup_wind.csv", "val_wind.csv", "a.c_wind.csv", "e_wind.csv"})
        tree.write(std::string("winddat/") + wind, "DATE TIME, TWS,TWD\r\n");

    struct Case {
        const char* race;
        const char* current;  // the race's WF now
        const char* file;
        bool ask;
        const char* alternative;
    };
    const Case cases[] = {
        {"a.c.txt", "", "a_wind.csv", true, "a.c-2_wind.csv"},  // a.c_wind.csv lies there
        {"..txt", "", "_wind.csv", true, "._wind.csv"},
        {"cup.txt", "cup_wind.csv", "cup_wind.csv", false, ""},  // its own, as before
        {"a.b.txt", "A_WIND.CSV", "a_wind.csv", false, ""},
        {"val.txt", "val_wind.csv", "val_wind.csv", true, "val-2_wind.csv"},  // shared
        {"a.c.txt", "a.c_wind.csv", "a.c_wind.csv", false, ""},               // chosen once, kept
        {"e.txt", "", "e_wind.csv", true, "e-2_wind.csv"},                    // a file nobody names
        {"d.txt", "", "d_wind.csv", false, ""},                               // free
    };
    for (const Case& c : cases) {
        const WindFilePlan plan =
            planWindFile(tree.root(), tree.root() / "raceadmin" / c.race, c.current);
        EXPECT_EQ(plan.refusal, "") << c.race;
        EXPECT_EQ(plan.fileName, c.file) << c.race;
        EXPECT_EQ(plan.askToOverwrite, c.ask) << c.race;
        EXPECT_EQ(plan.alternative, c.alternative) << c.race;
        if (c.ask) {
            EXPECT_NE(plan.question.find(c.file), std::string::npos) << plan.question;
        }
    }
    EXPECT_NE(planWindFile(tree.root(), tree.root() / "raceadmin" / "a.c.txt", "")
                  .question.find("a.b.txt"),
              std::string::npos);
    // Split at the backslash by the reader; not held by a CP932 race file.
    for (const char* race : {"back\\slash.txt", "d\u00e9\U0001F600.txt"})
        EXPECT_NE(planWindFile(tree.root(), tree.root() / "raceadmin" / race, "").refusal, "")
            << race;
}

}  // namespace
}  // namespace korvane

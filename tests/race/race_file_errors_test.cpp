#include <gtest/gtest.h>

#include <tuple>

#include "race/race_file.h"
#include "race/race_file_error.h"
#include "race/race_fixture.h"

namespace korvane {
namespace {

using testing::RaceFixture;

struct BadLine {
    const char* line;
    const char* message;
};

void PrintTo(const BadLine& b, std::ostream* os) {
    *os << b.line;
}

class RaceFileConversionError : public ::testing::TestWithParam<BadLine> {};

TEST_P(RaceFileConversionError, StopsWithTheSystemMessageFileAndLine) {
    RaceFixture f;
    f.logs({"a.gpx"});
    try {
        f.parse(std::string("T1,ok\n") + GetParam().line + "\nT2,never read\n", "bad.txt");
        FAIL() << "no error for " << GetParam().line;
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.systemMessage(), GetParam().message);
        EXPECT_EQ(e.file(), "bad.txt");
        EXPECT_EQ(e.line(), 2);
        EXPECT_NE(std::string(e.what()).find("bad.txt"), std::string::npos);
    }
    EXPECT_EQ(f.model.race.subtitle, "");  // reading stopped at the bad line
}

INSTANTIATE_TEST_SUITE_P(
    Table, RaceFileConversionError,
    ::testing::Values(BadLine{"CT,yes", "'yes' は整数ではありません"},
                      BadLine{"BN,a.gpx,A,1,x", "'x' は整数ではありません"},
                      BadLine{"BN,a.gpx,A,1,0,1.5", "'1.5' は整数ではありません"},
                      BadLine{"BN,a.gpx,A,fast", "'fast' は浮動小数点数ではありません"},
                      BadLine{"LL,45", "'' は整数ではありません"},
                      BadLine{"TD,+9h", "'+9h' は整数ではありません"},
                      BadLine{"PS,quick", "'quick' は浮動小数点数ではありません"},
                      BadLine{"PIC,photos", "'' は浮動小数点数ではありません"},
                      BadLine{"ADDAREA,5'", "'5'' は浮動小数点数ではありません"},
                      BadLine{"MK,35N,139E", "バリアントの型変換が正しくありません"},
                      BadLine{"LN,1,2,3", "バリアントの型変換が正しくありません"},
                      BadLine{"MG,west", "バリアントの型変換が正しくありません"},
                      BadLine{"ST,2007/13/01 10:00:00", "バリアントの型変換が正しくありません"},
                      BadLine{"FT,tomorrow", "バリアントの型変換が正しくありません"}));

// Numbers that convert but cannot mean what their field says stop the
// opening with the field named, instead of overflowing (BT × 60) or
// reaching a report as nonsense.
class RaceFileRangeError : public ::testing::TestWithParam<const char*> {};

TEST_P(RaceFileRangeError, StopsNamingTheFieldAndLine) {
    RaceFixture f;
    f.logs({"a.gpx"});
    try {
        f.parse(std::string("T1,ok\n") + GetParam() + "\n", "range.txt");
        FAIL() << "accepted " << GetParam();
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.line(), 2) << GetParam();
        const std::string keyword = std::string(GetParam()).substr(0, 2);
        EXPECT_NE(e.systemMessage().find(keyword), std::string::npos) << e.what();
        EXPECT_NE(e.systemMessage().find("outside"), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RaceFileRangeError,
                         ::testing::Values("BT,2147483647", "BT,-1", "BN,a.gpx,A,10.5",
                                           "BN,a.gpx,A,-1", "BN,a.gpx,A,1,99999999", "MK,5401,0",
                                           "MK,0,-10801", "LN,0,0,-5400.5,0", "RL,0,0,0,1e300",
                                           "LG,101", "TD,25", "MG,200", "PS,2000", "LL,45,400",
                                           "ADDAREA,-1"));

TEST(RaceFileErrors, RangesAcceptTheirEdges) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.parse("BT,1440\nBN,a.gpx,A,10\nMK,5400,-10800\nLG,100\nTD,-24\nPS,1500\n");
    EXPECT_EQ(f.model.race.preStartSeconds, 86400);
    EXPECT_EQ(f.model.boats[0].tcf, 10);
}

TEST(RaceFileErrors, BoatLengthBeyondAHundredMetresNamesTheBoatLine) {
    RaceFixture f;
    f.logs({"a.gpx"});
    try {
        f.parse("T1,x\nBN,a.gpx,Alpha^^150\n");
        FAIL();
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.line(), 2);
    }
}

TEST(RaceFileErrors, FinishBeforeStartHasItsOwnMessage) {
    RaceFixture f;
    f.logs({"a.gpx"});
    try {
        f.parse("BN,a.gpx,A\nST,2024/05/12 11:00:00\nFT,2024/05/12 10:00:00\n");
        FAIL();
    } catch (const RaceFileError& e) {
        EXPECT_NE(e.systemMessage().find("before the start"), std::string::npos);
    }
}

TEST(RaceFileLines, CarriageReturnsAloneEndLinesToo) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.parse("T1,Old Mac file\rBN,a.gpx,Alpha\rMK,1,2\r");
    EXPECT_EQ(f.model.race.title, "Old Mac file");
    EXPECT_EQ(f.model.boatCount(), 1);
    EXPECT_EQ(f.model.marks.count(), 1);
}

TEST(RaceFileErrors, BadBoatLengthIsAFloatError) {
    RaceFixture f;
    f.logs({"a.gpx"});
    try {
        f.parse("BN,a.gpx,Alpha^^long\n");
        FAIL();
    } catch (const RaceFileError& e) {
        EXPECT_EQ(e.systemMessage(), "'long' は浮動小数点数ではありません");
    }
}

TEST(RaceFileErrors, BinaryJunkAndHugeLinesAreRefusedNotCrashed) {
    RaceFixture f;
    EXPECT_THROW(f.parse(std::string("T1,a\0\x01\x02", 7)), RaceFileError);
    EXPECT_THROW(f.parse("T1," + std::string(200000, 'x') + "\n"), RaceFileError);
}

TEST(RaceFileCapacity, ExcessItemsAreRefusedWithAWarning) {
    RaceFixture f;
    std::string text;
    for (int i = 0; i < 25; ++i) text += "MK," + std::to_string(i) + ",1\n";
    for (int i = 0; i < 12; ++i) text += "LN,1,2,3,4\nRL,1,2,3,4\n";
    text += "CLSSEP,1\n";
    for (int i = 0; i < 12; ++i) text += "CLSN,C" + std::to_string(i) + "\n";
    text += "CRS";
    for (int i = 0; i < 19; ++i) text += ",MK" + std::to_string(i + 1);  // 19 fields + keyword
    text += "\nMAP";
    for (int i = 0; i < 12; ++i) text += ",m" + std::to_string(i);
    text += "\n";
    std::vector<std::string> logs;
    for (int i = 0; i < 85; ++i) {
        logs.push_back("b" + std::to_string(i) + ".gpx");
        text += "BN,b" + std::to_string(i) + ".gpx,B" + std::to_string(i) + "\n";
    }
    f.logs(logs);
    const auto result = f.parse(text);
    EXPECT_EQ(f.model.marks.count(), kMaxMarks);
    EXPECT_EQ(f.model.lines.count(), kMaxLines);
    EXPECT_EQ(f.model.refLines.count(), kMaxRefLines);
    EXPECT_EQ(f.model.classes.count(), kMaxClasses);
    EXPECT_EQ(f.model.boatCount(), kMaxBoats);
    EXPECT_EQ(f.model.race.coastFiles.count(), kMaxCoastFiles);
    EXPECT_EQ(f.model.race.courseLength(), 19);
    EXPECT_EQ(f.model.boats[kMaxBoats - 1].name, "B80");
    // 5 marks, 2 lines, 2 ref lines, 2 classes, 2 map files, 4 boats refused.
    EXPECT_EQ(result.warnings.size(), 17u);
    EXPECT_NE(result.warnings.front().find("(line 21)"), std::string::npos);
}

TEST(RaceFileNames, ALogNamedOutsideGpsdatIsRefusedWithAWarning) {
    RaceFixture f;
    f.logs({"../x.gpx", "C:\\x.gpx", "ok.gpx"});
    const auto result = f.parse("BN,../x.gpx,A\nBN,C:\\x.gpx,B\nBN,ok.gpx,C\n");
    ASSERT_EQ(f.model.boatCount(), 1);
    EXPECT_EQ(f.model.boats.at(0).name, "C");
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_NE(result.warnings[0].find("(line 1)"), std::string::npos);
    EXPECT_NE(result.warnings[1].find("C:\\x.gpx leaves the gpsdat folder"), std::string::npos);
}

TEST(RaceFileCapacity, MoreThanTwentyFieldsAreCut) {
    RaceFixture f;
    std::string text = "CRS";
    for (int i = 0; i < 25; ++i) text += ",L1";
    const auto result = f.parse(text + "\n");
    EXPECT_EQ(f.model.race.courseLength(), 19);
    EXPECT_FALSE(result.warnings.empty());
}

}  // namespace
}  // namespace korvane

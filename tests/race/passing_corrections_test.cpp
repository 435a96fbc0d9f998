#include "race/passing_corrections.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

// Two boats, one with a Japanese name, on a course of three points.
RaceModel twoBoats() {
    RaceModel model;
    for (const char* entry : {"L1", "MK1", "L1"}) model.race.course.append(entry);
    Boat a;
    a.name = "疾風";
    model.boats.append(a);
    Boat b;
    b.name = "Kamome";
    model.boats.append(b);
    return model;
}

PassingCorrections someCorrections() {
    PassingCorrections c;
    c.set({1, 2, PassingCorrectionKind::NotPassed, 0});
    c.set({0, 1, PassingCorrectionKind::Pinned, 1834.56789});
    c.set({0, 0, PassingCorrectionKind::Pinned, -12.5});
    return c;
}

TEST(PassingCorrectionsFile, RoundTripsInEitherEncoding) {
    const RaceModel model = twoBoats();
    const PassingCorrections written = someCorrections();
    for (const TextEncoding encoding : {TextEncoding::Cp932, TextEncoding::Utf8}) {
        const std::string bytes = formatPassingCorrections(written, model, encoding, "\r\n");
        EXPECT_EQ(bytes.find("\n") - 1, bytes.find("\r\n"));
        const PassingCorrectionsRead read =
            parsePassingCorrections(bytes, "race.txt.passings", model);
        EXPECT_TRUE(read.warnings.empty()) << read.warnings.front();
        EXPECT_EQ(read.corrections, written);
        EXPECT_EQ(formatPassingCorrections(read.corrections, model, encoding, "\r\n"), bytes);
    }
    // Pins are kept to the millisecond, in boat and point order.
    ASSERT_EQ(written.items().size(), 3u);
    EXPECT_EQ(written.items()[1].elapsedSeconds, 1834.568);
    EXPECT_EQ(written.items()[0].point, 0);
}

TEST(PassingCorrectionsFile, SaveWritesBesideAndRemovesWhenEmpty) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("korvane-passings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    const auto path = passingCorrectionsPath(folder / "race.txt");
    EXPECT_EQ(path.filename(), "race.txt.passings");
    const RaceModel model = twoBoats();
    ASSERT_TRUE(
        savePassingCorrections(path, someCorrections(), model, TextEncoding::Cp932, "\r\n"));
    EXPECT_EQ(readPassingCorrections(path, model).corrections, someCorrections());
    ASSERT_TRUE(savePassingCorrections(path, {}, model, TextEncoding::Cp932, "\r\n"));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(readPassingCorrections(path, model).warnings.empty());
    std::filesystem::remove_all(folder);
}

// Lines that would correct a boat or point the race does not have, or the
// wrong boat, are reported with their line and ignored; the others hold.
struct BadLine {
    const char* line;
    const char* warning;
};

class PassingCorrectionsRefused : public ::testing::TestWithParam<BadLine> {};

TEST_P(PassingCorrectionsRefused, IsReportedAndIgnored) {
    const std::string bytes =
        std::string("PIN,2,2,100,Kamome\n") + GetParam().line + "\nNOTPASSED,1,3\n";
    const PassingCorrectionsRead read = parsePassingCorrections(bytes, "r.passings", twoBoats());
    ASSERT_EQ(read.warnings.size(), 1u);
    EXPECT_NE(read.warnings[0].find("r.passings (line 2): "), std::string::npos);
    EXPECT_NE(read.warnings[0].find(GetParam().warning), std::string::npos) << read.warnings[0];
    ASSERT_EQ(read.corrections.items().size(), 2u);
    EXPECT_EQ(read.corrections.find(1, 1)->elapsedSeconds, 100);
    EXPECT_EQ(read.corrections.find(0, 2)->kind, PassingCorrectionKind::NotPassed);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PassingCorrectionsRefused,
    ::testing::Values(BadLine{"PIN,3,1,100", "no boat 3"}, BadLine{"PIN,0,1,100", "no boat 0"},
                      BadLine{"NOTPASSED,1,4", "no point 4"},
                      BadLine{"PIN,2,1,100,Umineko", "is Kamome, not Umineko"},
                      BadLine{"PIN,1,1,soon", "'soon' is not"}, BadLine{"PIN,1,1,nan", "is not"},
                      BadLine{"PIN,1", "too few"}, BadLine{"MOVE,1,1,100", "PIN or NOTPASSED"}));

// A pin is kept in elapsed time and shown as the track import shows the
// boat's fixes: stretched after the gun in corrected time, when the boat
// has a factor and a log long enough to be stretched.
struct ShownCase {
    TimeMode mode;
    double tcf;
    int fixes;
    double elapsed;
    double shown;
};

TEST(PassingCorrectionsTime, ShownAsTheTrackIsAndBack) {
    for (const ShownCase c : {ShownCase{TimeMode::Corrected, 1.25, 500, 1000, 1250},
                              ShownCase{TimeMode::Corrected, 1.25, 500, -30, -30},
                              ShownCase{TimeMode::Corrected, 1.25, 100, 1000, 1000},
                              ShownCase{TimeMode::Corrected, 0, 500, 1000, 1000},
                              ShownCase{TimeMode::Elapsed, 1.25, 500, 1000, 1000}}) {
        Race race;
        race.timeMode = c.mode;
        Boat boat;
        boat.tcf = c.tcf;
        boat.loggedFixCount = c.fixes;
        EXPECT_DOUBLE_EQ(shownSecondsOf(boat, race, c.elapsed), c.shown);
        EXPECT_DOUBLE_EQ(elapsedSecondsOf(boat, race, c.shown), c.elapsed);
    }
}

}  // namespace
}  // namespace korvane

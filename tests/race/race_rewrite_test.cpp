// The race-file rewrite: which lines it replaces, in what order, that every
// other byte stays in its encoding, and that a failed write keeps the file.
#include "race/race_rewrite.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "base/file_io.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

CourseLines someCourse() {
    CourseLines c;
    c.windDirectionInput = 208;
    c.marks.append(Mark{2113.3935, 8367.6209});
    c.lines.append(Line{2114.25, 8367.5, 2114, 8368});
    c.course.append("L1");
    c.course.append("MK1");
    return c;
}

struct RewriteCase {
    const char* name;
    std::string before;
    CourseLines lines;
    std::string after;
};

void PrintTo(const RewriteCase& c, std::ostream* os) {
    *os << c.name;
}

class RewriteCourseLines : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteCourseLines, KeepsOtherLinesAndAppendsInOrder) {
    const RewriteCase& c = GetParam();
    RaceDocument doc = RaceDocument::fromBytes(c.before);
    rewriteCourseLines(doc, c.lines);
    EXPECT_EQ(doc.toBytes(), c.after);
}

CourseLines everything() {
    CourseLines c = someCourse();
    c.addedBoat = "BN,new.gpx,New,1.05";
    c.windFile = "race_wind.csv";
    c.pictures = PictureLine{"pic/a", -2.5, 300};
    return c;
}

CourseLines nothing() {
    return {};
}

INSTANTIATE_TEST_SUITE_P(
    Files, RewriteCourseLines,
    ::testing::Values(
        RewriteCase{"FullOrder",
                    "// header\r\nMK,1,2\r\nBN,a.gpx,A\r\nPIC,x,0,400\r\nWD,10\r\n"
                    "// middle\r\nLN,1,2,3,4\r\nCRS,MK1\r\nWF,old.csv\r\nBN,b.gpx,B\r\n",
                    everything(),
                    "// header\r\nBN,a.gpx,A\r\n// middle\r\nBN,b.gpx,B\r\n"
                    "BN,new.gpx,New,1.05\r\nWF,race_wind.csv\r\nWD, 208\r\n"
                    "MK,2113.3935,8367.6209\r\nLN,2114.25,8367.5,2114,8368\r\n"
                    "CRS,L1,MK1\r\nPIC,pic/a,-2.5,300\r\n"},
        RewriteCase{"LowerCaseKeywordsRewritten", "mk,1,2\nT1,Race\n  crs , MK1\nwd,3\n",
                    someCourse(),
                    "T1,Race\nWD, 208\nMK,2113.3935,8367.6209\nLN,2114.25,8367.5,2114,8368\n"
                    "CRS,L1,MK1\n"},
        RewriteCase{"NoMarksStillGetsWd", "T1,Race\r\nMK,1,2\r\n", nothing(),
                    "T1,Race\r\nWD, 0\r\n"},
        RewriteCase{"BoatAlreadyInTheFileIsNotAddedTwice", "BN,NEW.GPX,New\n",
                    [] {
                        CourseLines c;
                        c.addedBoat = "BN,new.gpx,New,1.05";
                        return c;
                    }(),
                    "BN,NEW.GPX,New\nWD, 0\n"},
        RewriteCase{"LastLineWithoutEnd", "T1,Race\r\nST,2024/05/12 11:00:00", nothing(),
                    "T1,Race\r\nST,2024/05/12 11:00:00\r\nWD, 0\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RewriteCourseLines, Cp932FileKeepsEveryUntouchedByte) {
    // "T1,江の島" and "NOTE,南西" in CP932, between lines the editor owns.
    const std::string title = "T1,\x8D\x5D\x82\xCC\x93\x87\r\n";
    const std::string note = "NOTE,\x93\xEC\x90\xBC\r\n";
    const std::string comment = "MK,1,2 // \x95\x97\x8F\xE3\r\n";
    RaceDocument doc = RaceDocument::fromBytes(title + comment + note);
    ASSERT_EQ(doc.encoding(), TextEncoding::Cp932);
    CourseLines c = someCourse();
    c.course.clear();
    c.course.append("MK1");
    rewriteCourseLines(doc, c);
    EXPECT_EQ(doc.toBytes(), title + note +
                                 "WD, 208\r\nMK,2113.3935,8367.6209\r\n"
                                 "LN,2114.25,8367.5,2114,8368\r\nCRS,MK1\r\n");
}

class RewriteRaceFile : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("korvane-rewrite-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "raceadmin");
        file_ = root_ / "raceadmin" / "race.txt";
        std::ofstream(file_, std::ios::binary) << kOld;
    }
    void TearDown() override {
        fs::permissions(root_ / "raceadmin", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    std::string content() const { return readFileBytes(file_).value_or("<gone>"); }
    static bool addMark(RaceDocument& doc) {
        CourseLines c;
        c.marks.append(Mark{1, 2});
        rewriteCourseLines(doc, c);
        return true;
    }

    static constexpr const char* kOld = "T1,Race\r\nMK,9,9\r\n";
    fs::path root_, file_;
};

TEST_F(RewriteRaceFile, WritesTheEditedFile) {
    const RewriteResult r = rewriteRaceFile(root_, file_, addMark);
    EXPECT_EQ(r.status, RewriteStatus::Written);
    EXPECT_EQ(content(), "T1,Race\r\nWD, 0\r\nMK,1,2\r\n");
}

// Each way the new bytes cannot reach the disk must leave the old file and
// say so, never report success.
TEST_F(RewriteRaceFile, FailuresKeepTheOldFileAndSaySo) {
    struct Failure {
        const char* name;
        RewriteIo io;
        RewriteStatus want;
    };
    RewriteIo fullDisk = RewriteIo::real();
    fullDisk.write = [](const fs::path&, std::string_view) { return false; };
    RewriteIo readOnlyRoot = RewriteIo::real();
    readOnlyRoot.writable = [](const fs::path&) { return false; };
    RewriteIo written = RewriteIo::real();
    bool wrote = false;
    written.write = [&](const fs::path&, std::string_view) { return wrote = true; };
    for (const Failure& f : {Failure{"full disk", fullDisk, RewriteStatus::WriteFailed},
                             Failure{"read-only root", readOnlyRoot, RewriteStatus::NotWritable}}) {
        const RewriteResult r = rewriteRaceFile(root_, file_, addMark, f.io);
        EXPECT_EQ(r.status, f.want) << f.name;
        EXPECT_FALSE(r.ok()) << f.name;
        EXPECT_FALSE(r.message.empty()) << f.name;
        EXPECT_EQ(content(), kOld) << f.name;
    }
    EXPECT_TRUE(rewriteRaceFile(root_, file_, addMark, written).ok());
    EXPECT_TRUE(wrote);
}

TEST_F(RewriteRaceFile, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    fs::permissions(root_ / "raceadmin", fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    const RewriteResult r = rewriteRaceFile(root_, file_, addMark);
    EXPECT_EQ(r.status, RewriteStatus::WriteFailed);
    EXPECT_EQ(content(), kOld);
}

TEST_F(RewriteRaceFile, MissingFileAndRefusedEditWriteNothing) {
    EXPECT_EQ(rewriteRaceFile(root_, root_ / "raceadmin" / "none.txt", addMark).status,
              RewriteStatus::Missing);
    EXPECT_FALSE(fs::exists(root_ / "raceadmin" / "none.txt"));
    EXPECT_EQ(rewriteRaceFile(root_, file_, [](RaceDocument&) { return false; }).status,
              RewriteStatus::Refused);
    EXPECT_EQ(content(), kOld);
}

TEST(CourseLinesOf, TakesTheDroppedBoatOnlyWithEnoughFixes) {
    RaceModel m;
    m.droppedBoat.logFile = "d.gpx";
    m.droppedBoat.name = "D";
    m.droppedBoat.track.resize(2);
    EXPECT_FALSE(courseLinesOf(m, {}).addedBoat);
    m.droppedBoat.track.resize(3);
    EXPECT_EQ(courseLinesOf(m, {}).addedBoat, "BN,d.gpx,D,0");
    m.race.windFile = "w.csv";
    EXPECT_EQ(courseLinesOf(m, {}).windFile, "");  // no samples: no WF line
    m.windSamples.push_back({});
    EXPECT_EQ(courseLinesOf(m, {}).windFile, "w.csv");
}

}  // namespace
}  // namespace korvane

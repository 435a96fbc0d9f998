// The race-file rewrite: which lines it replaces, in what order, that every
// other byte stays in its encoding, and that a failed write keeps the file.
#include "race/race_rewrite.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "base/file_io.h"
#include "race/race_file_edits.h"
#include "race/race_time.h"
#include "race/wind_file.h"

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
                    "T1,Race\r\nST,2024/05/12 11:00:00\r\nWD, 0\r\n"},
        // What the edit left as it was keeps its comment; a deleted mark's
        // comment goes with it, and a moved one does not pass to another.
        RewriteCase{"UntouchedLinesKeepTheirComments",
                    "MK,9,9 // deleted\r\nMK,2113.39350,8367.6209 // windward mark\r\n"
                    "WD,208//mean\r\nLN,2114.25,8367.5,2114,8368   // start\r\n"
                    "CRS,MK1 // old course\r\n",
                    someCourse(),
                    "WD, 208 //mean\r\nMK,2113.3935,8367.6209 // windward mark\r\n"
                    "LN,2114.25,8367.5,2114,8368   // start\r\nCRS,L1,MK1\r\n"}),
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

// Root writes into read-only folders, so as root (as in CI) the rewrite
// runs in a child process that has become the unprivileged "nobody" and
// owns the tree: the same call meets the same refusal from the kernel.
template <class Run>
int exitCodeAsOwner(const fs::path& root, Run run) {
    if (::geteuid() != 0) return run();
    constexpr uid_t kNobody = 65534;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return -1;
    if (::lchown(root.c_str(), kNobody, kNobody) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 ||
            ::geteuid() == 0)
            ::_exit(125);
        ::_exit(run());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(RewriteRaceFile, ReadOnlyFolderKeepsTheOldFile) {
    fs::permissions(root_ / "raceadmin", fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    const int status = exitCodeAsOwner(
        root_, [&] { return static_cast<int>(rewriteRaceFile(root_, file_, addMark).status); });
    EXPECT_EQ(status, static_cast<int>(RewriteStatus::WriteFailed));
    EXPECT_EQ(content(), kOld);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "raceadmin"), fs::directory_iterator()),
              1);
}

// A link may lead anywhere; the rewrite, the dropped boat's line and the
// wind file write only what lies inside the data root once resolved.
TEST_F(RewriteRaceFile, LinksOutOfTheDataRootAreNeverWritten) {
    const fs::path outside = root_.string() + "-outside";
    fs::create_directories(outside);
    const fs::path victim = outside / "victim.txt";
    std::ofstream(victim, std::ios::binary) << "keep me\n";
    fs::create_symlink(victim, root_ / "raceadmin" / "linked.txt");
    fs::create_directories(root_ / "winddat");
    fs::create_symlink(victim, root_ / "winddat" / "linked_wind.csv");
    const auto addBoat = [](RaceDocument& doc) { return addBoatLine(doc, "new.gpx", "New", 1); };

    for (const auto& edit : {std::function<bool(RaceDocument&)>(addMark),
                             std::function<bool(RaceDocument&)>(addBoat)}) {
        const RewriteResult r = rewriteRaceFile(root_, root_ / "raceadmin" / "linked.txt", edit);
        EXPECT_EQ(r.status, RewriteStatus::OutsideDataRoot);
        EXPECT_FALSE(r.message.empty());
    }
    const WindWriteResult wind = writeWindFile(root_, "linked_wind.csv", {{0, 0, 90}},
                                               *parseTimestamp("2024/05/12 11:00:00"));
    EXPECT_FALSE(wind.ok);
    EXPECT_FALSE(wind.message.empty());
    EXPECT_EQ(readFileBytes(victim), "keep me\n");

    // Links that stay inside are followed, and so is a linked data root.
    fs::create_symlink(file_, root_ / "raceadmin" / "alias.txt");
    const fs::path linkedRoot = root_.string() + "-link";
    fs::create_directory_symlink(root_, linkedRoot);
    EXPECT_EQ(rewriteRaceFile(root_, root_ / "raceadmin" / "alias.txt", addMark).status,
              RewriteStatus::Written);
    EXPECT_EQ(rewriteRaceFile(linkedRoot, linkedRoot / "raceadmin" / "race.txt", addBoat).status,
              RewriteStatus::Written);
    EXPECT_EQ(content(), "T1,Race\r\nWD, 0\r\nMK,1,2\r\nBN,new.gpx,New,1\r\n");
    fs::remove(linkedRoot);
    fs::remove_all(outside);
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

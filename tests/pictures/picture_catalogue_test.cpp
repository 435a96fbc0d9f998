// The picture catalogue: time table and EXIF scan, their time windows, the
// file name rules, damaged files and the scan limit.
#include "pictures/picture_catalogue.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <map>

#include "pictures/exif_time.h"
#include "pictures/test_jpeg.h"
#include "race/race_time.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using tools::ExifKind;
using tools::TestJpeg;

void gui() {
    static int argc = 1;
    static char name[] = "pictures_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    (void)app;
}

// A race from 11:00 to 12:15 with five minutes before the gun: the timeline
// runs from -310 s to 4530 s.
PictureWindow raceWindow() {
    return {*parseTimestamp("2024/05/12 11:00:00"), -310, 4530};
}

void writeJpeg(const fs::path& path, ExifKind exif, const std::string& captureTime) {
    TestJpeg p;
    p.width = 64;
    p.height = 48;
    p.exif = exif;
    p.captureTime = captureTime;
    ASSERT_TRUE(tools::writeTestJpeg(path, p)) << path;
}

std::map<std::string, double> timesByFile(const PictureCatalogue& c) {
    std::map<std::string, double> out;
    for (const PictureEntry& e : c.entries) out[e.file] = e.timeSeconds;
    return out;
}

struct WindowCase {
    const char* file;
    const char* taken;  // local time
    double seconds;     // from the local start
    bool scanKeeps;     // ±600 s around the timeline
    bool tableKeeps;    // the timeline exactly
};

const WindowCase kWindowCases[] = {
    {"a.jpg", "2024/05/12 10:44:49", -911, false, false},
    {"b.jpg", "2024/05/12 10:44:50", -910, true, false},
    {"c.jpg", "2024/05/12 10:54:50", -310, true, true},
    {"d.jpg", "2024/05/12 12:15:30", 4530, true, true},
    {"e.jpg", "2024/05/12 12:24:30", 5070, true, false},  // 9 minutes after the end
    {"f.jpg", "2024/05/12 12:25:31", 5131, false, false},
};

TEST(PictureCatalogue, ScanWidensTheTimelineBy600SecondsAndTheTimeTableDoesNot) {
    gui();
    testing::TempTree scanned, tabled;
    std::string table;
    for (const WindowCase& c : kWindowCases) {
        std::string exif = c.taken;
        exif[4] = exif[7] = ':';
        writeJpeg(scanned.root() / c.file, ExifKind::CaptureTime, exif);
        writeJpeg(tabled.root() / c.file, ExifKind::None, "");
        table += std::string(c.file) + "," + c.taken + ",ignored\r\n";
    }
    tabled.write("datetime.csv", table);
    const auto scan = timesByFile(catalogueFolder(scanned.root(), raceWindow()));
    const PictureCatalogue tableCatalogue = catalogueFolder(tabled.root(), raceWindow());
    EXPECT_TRUE(tableCatalogue.fromTimeTable);
    const auto fromTable = timesByFile(tableCatalogue);
    for (const WindowCase& c : kWindowCases) {
        EXPECT_EQ(scan.count(c.file) == 1, c.scanKeeps) << c.file;
        EXPECT_EQ(fromTable.count(c.file) == 1, c.tableKeeps) << c.file;
        if (scan.count(c.file)) {
            EXPECT_DOUBLE_EQ(scan.at(c.file), c.seconds) << c.file;
        }
        if (fromTable.count(c.file)) {
            EXPECT_DOUBLE_EQ(fromTable.at(c.file), c.seconds) << c.file;
        }
    }
}

TEST(PictureCatalogue, JpegNamesAreMatchedInAnyLetterCase) {
    gui();
    testing::TempTree scanned, tabled;
    for (const char* name : {"A.JPG", "b.jpg", "c.Jpg", "d.jpeg", "e.png", "f.jpg.txt"}) {
        writeJpeg(scanned.root() / name, ExifKind::CaptureTime, "2024:05:12 11:10:00");
        writeJpeg(tabled.root() / name, ExifKind::None, "");
    }
    const auto scan = timesByFile(catalogueFolder(scanned.root(), raceWindow()));
    EXPECT_EQ(scan.size(), 3u);
    for (const char* kept : {"A.JPG", "b.jpg", "c.Jpg"}) EXPECT_EQ(scan.count(kept), 1u) << kept;

    // The table's names: ".JPG" anywhere in upper case, and the file must be there.
    tabled.write("datetime.csv",
                 "b.jpg,2024/05/12 11:10:00\n"
                 "e.png,2024/05/12 11:10:00\n"
                 "missing.jpg,2024/05/12 11:10:00\n"
                 "../b.jpg,2024/05/12 11:10:00\n"
                 "A.JPG,not a time\n"
                 "c.Jpg,2024/05/12 11:20:00\n");
    const PictureCatalogue table = catalogueFolder(tabled.root(), raceWindow());
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.entries[0].file, "b.jpg");  // file order
    EXPECT_EQ(table.entries[1].file, "c.Jpg");
    EXPECT_DOUBLE_EQ(table.entries[1].timeSeconds, 1200);
    EXPECT_EQ(table.warnings.size(), 1u);  // the name leaving the folder
}

TEST(PictureCatalogue, PicturesWithoutAUsableCaptureTimeAreSkipped) {
    gui();
    testing::TempTree t;
    struct Bad {
        const char* file;
        ExifKind exif;
        const char* time;
    };
    const Bad files[] = {
        {"1.jpg", ExifKind::CaptureTime, "2024:05:12 11:05:00"},
        {"2.jpg", ExifKind::None, ""},
        {"3.jpg", ExifKind::CaptureTime, "2024:05:12 11:15:00"},
        {"4.jpg", ExifKind::Broken, "2024:05:12 11:20:00"},
        {"5.jpg", ExifKind::CaptureTime, "2024:02:30 25:61:00"},  // no such moment
        {"6.jpg", ExifKind::CaptureNotText, ""},
        {"7.jpg", ExifKind::CaptureTime, "yesterday"},
    };
    for (const Bad& b : files) writeJpeg(t.root() / b.file, b.exif, b.time);
    t.write("8.jpg", "not a picture at all");
    t.write("9.jpg", "");
    const auto kept = timesByFile(catalogueFolder(t.root(), raceWindow()));
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_DOUBLE_EQ(kept.at("1.jpg"), 300);
    EXPECT_DOUBLE_EQ(kept.at("3.jpg"), 900);
}

// Hands the catalogue names and times from memory.
class MemoryPictures : public PictureSource {
  public:
    std::map<std::string, std::string> captureTimes;
    mutable int reads = 0;
    FileRead timeTable() const override { return {std::nullopt, ReadFailure::NotFound}; }
    std::optional<fs::path> find(const std::string&) const override { return std::nullopt; }
    std::vector<std::string> fileNames() const override {
        std::vector<std::string> names;
        for (auto it = captureTimes.rbegin(); it != captureTimes.rend(); ++it)
            names.push_back(it->first);
        return names;
    }
    std::optional<std::string> captureTime(const std::string& name) const override {
        ++reads;
        return captureTimes.at(name);
    }
    fs::path pathOf(const std::string& name) const override { return name; }
};

TEST(PictureCatalogue, AFolderOfManyFilesStopsAtTheLimitWithAWarning) {
    MemoryPictures folder;
    for (int k = 0; k < 5000; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", k);
        folder.captureTimes[name] = "2024/05/12 11:10:00";
    }
    const PictureCatalogue c = cataloguePictures(folder, raceWindow());
    EXPECT_EQ(folder.reads, kMaxScannedPictures);
    EXPECT_EQ(c.count(), kMaxScannedPictures);
    EXPECT_EQ(c.entries.back().file, "IMG_0999.JPG");  // the first ones by name
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_NE(c.warnings[0].find("5000"), std::string::npos) << c.warnings[0];
}

// A table of 100,000 rows naming files that are not there, in another
// letter case than the 3,000 that are, then more rows of present files
// than the catalogue keeps. Looking each name up in a fresh listing of the
// folder takes minutes (the test's timeout, in CMakeLists.txt); one listing
// of the folder takes a moment.
TEST(PictureCatalogue, ALongTimeTableListsTheFolderOnceAndKeepsAtMostTheLimit) {
    testing::TempTree t;
    char name[32];
    for (int k = 0; k < 3000; ++k) {
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", k);
        t.write(name, "");
    }
    std::string table;
    for (int k = 0; k < 100000; ++k) {
        std::snprintf(name, sizeof name, "gone_%06d.jpg", k);
        table.append(name).append(",2024/05/12 11:10:00\r\n");
    }
    for (int k = 0; k < 1500; ++k) {
        std::snprintf(name, sizeof name, "img_%04d.jpg", k);
        table.append(name).append(",2024/05/12 11:20:00\r\n");
    }
    ASSERT_LE(table.size(), kMaxTimeTableBytes);
    t.write("datetime.csv", table);
    const PictureCatalogue c = catalogueFolder(t.root(), raceWindow());
    ASSERT_EQ(c.count(), kMaxScannedPictures);
    EXPECT_EQ(c.entries.back().file, "img_0999.jpg");
    EXPECT_EQ(c.entries.back().path, t.root() / "IMG_0999.JPG");
    EXPECT_EQ(c.warnings, std::vector<std::string>{"datetime.csv lists more than 1000 pictures of "
                                                   "the race; only the first 1000 were kept"});
}

TEST(PictureCatalogue, ATimeTableTooLargeToReadIsSaidAndTheFolderScanned) {
    gui();
    testing::TempTree t;
    writeJpeg(t.root() / "a.jpg", ExifKind::CaptureTime, "2024:05:12 11:10:00");
    std::filesystem::resize_file(t.write("DateTime.csv", "a.jpg,2024/05/12 11:20:00\r\n"),
                                 kMaxTimeTableBytes + 1);
    const PictureCatalogue c = catalogueFolder(t.root(), raceWindow());
    EXPECT_FALSE(c.fromTimeTable);
    EXPECT_EQ(timesByFile(c), (std::map<std::string, double>{{"a.jpg", 600}}));
    EXPECT_EQ(c.warnings, std::vector<std::string>{"datetime.csv larger than 4 MB; not read, the "
                                                   "pictures' own capture times are used"});
}

TEST(ExifTime, OnlyTheDateColonsBecomeSlashes) {
    EXPECT_EQ(exifDateToSlashes("2024:05:12 11:03:20"), "2024/05/12 11:03:20");
    EXPECT_EQ(exifDateToSlashes(std::string("2024:05:12 11:03:20\0", 20)), "2024/05/12 11:03:20");
    EXPECT_EQ(exifDateToSlashes("11:03:20"), "11/03/20");
    EXPECT_EQ(readExifDateTimeFromBytes("\xFF\xD8\xFF\xE1\x00\x10"
                                        "Exif"),
              std::nullopt);
}

}  // namespace
}  // namespace korvane

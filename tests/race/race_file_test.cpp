#include "race/race_file.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "race/race_fixture.h"

namespace korvane {
namespace {

using testing::RaceFixture;

TEST(RaceFileComments, PositionOfTheSlashesDecides) {
    RaceFixture f;
    f.parse(
        "//T1,ignored\n"
        "T//1,x\n"  // "//" at position 2: ignored
        "MK,2106.5,8352.1 // north\n"
        "T1,ab//c\n"
        "T2,a//bc\n");
    EXPECT_EQ(f.model.race.title, "ab");
    EXPECT_EQ(f.model.race.subtitle, "a//bc");  // position 5 stays as text
    ASSERT_EQ(f.model.marks.count(), 1);
    EXPECT_DOUBLE_EQ(f.model.marks[0].latMinutes, 2106.5);
    EXPECT_DOUBLE_EQ(f.model.marks[0].lonMinutes, 8352.1);
}

TEST(RaceFileLines, ShortLinesAndSingleFieldsAreIgnored) {
    RaceFixture f;
    f.parse("T1\nCT\nab\nCLSSEP\nCLSN,A\n");
    EXPECT_FALSE(f.model.classesSeparated);
    EXPECT_EQ(f.model.classes.count(), 0);
    EXPECT_EQ(f.model.race.timeMode, TimeMode::Elapsed);
}

TEST(RaceFileBoats, FieldsFlagsAndMissingLogs) {
    RaceFixture f;
    f.logs({"a.gpx", "C.LOG", "d.trb", "e.trk"});
    f.parse(
        "bn,a.gpx,Alpha^^7.5,1.05,-3\n"
        "BN,b.gpx,Missing\n"
        "BN,c.log,,1.05\n"  // empty name field becomes "0"; case of the file ignored
        "BN,d.trb,Delta,0,0,3\n"
        "BN,e.trk,Echo,0,0,1\n"
        "LG,8.2\n");
    ASSERT_EQ(f.model.boatCount(), 4);
    const Boat& a = f.model.boats[0];
    EXPECT_EQ(a.name, "Alpha");
    EXPECT_FLOAT_EQ(a.lengthMetres, 7.5f);
    EXPECT_DOUBLE_EQ(a.tcf, 1.05);
    EXPECT_EQ(a.timeOffsetSeconds, -3);
    EXPECT_EQ(f.model.boats[1].name, "0");
    EXPECT_EQ(f.model.boats[1].logFile, "c.log");
    EXPECT_FLOAT_EQ(f.model.boats[1].lengthMetres, 8.2f);  // LG applies after the last line
    EXPECT_FALSE(f.model.boats[2].visible);
    EXPECT_FALSE(f.model.boats[2].mayFinish);
    EXPECT_FALSE(f.model.boats[3].visible);
    EXPECT_TRUE(f.model.boats[3].mayFinish);
    EXPECT_EQ(f.model.hiddenBoatCount(), 2);
    EXPECT_TRUE(f.model.race.hasTcf);
}

TEST(RaceFileBoats, ClassesFollowTheLastAcceptedClassLine) {
    RaceFixture f;
    f.logs({"a.gpx", "b.gpx", "c.gpx"});
    f.parse(
        "CLSN,Ignored\n"
        "BN,a.gpx,A\n"
        "CLSSEP,1\n"
        "CLSN,IRC\n"
        "BN,b.gpx,B\n"
        "CLSN,J/24\n"
        "BN,c.gpx,C\n");
    EXPECT_EQ(f.model.classes.count(), 2);
    EXPECT_EQ(f.model.classes[1].name, "J/24");
    EXPECT_EQ(f.model.boats[0].classIndex, std::nullopt);
    EXPECT_EQ(f.model.boats[1].classIndex, 0);
    EXPECT_EQ(f.model.boats[2].classIndex, 1);
    EXPECT_FALSE(f.model.race.hasTcf);  // the first boat has no factor
}

TEST(RaceFileTimeline, StartFinishPreStartAndCaptions) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.parse(
        "BN,a.gpx,A\n"
        "ST,2007/05/12 10:00:00\n"
        "FT,2007/05/12 12:00:00\n"
        "TD,9\n"
        "BT,0\n"
        "MG,-7.4\n"
        "WD,200\n"
        "T1,Regatta\n",
        "sagami.txt");
    const Race& r = f.model.race;
    EXPECT_EQ(r.preStartSeconds, 180);
    EXPECT_DOUBLE_EQ(r.timelineBegin, -190);
    EXPECT_DOUBLE_EQ(r.timelineEnd, 7230);
    EXPECT_EQ(r.timelineLength, 7420);
    EXPECT_EQ(formatTimestamp(r.startUtc), "2007/05/12 01:00:00");
    EXPECT_EQ(r.windDirection, 193);
    EXPECT_EQ(r.caption, "Regatta");
    EXPECT_EQ(r.captionDate, "2007/05/12");

    f.parse("BN,a.gpx,A\nBT,5\n", "plain.txt");
    EXPECT_DOUBLE_EQ(f.model.race.timelineBegin, -310);
    EXPECT_EQ(f.model.race.caption, "korvane  plain.txt");
}

TEST(RaceFileSpeeds, PlaySpeedsAndSliderPositions) {
    RaceFixture f;
    f.logs({"a.gpx"});
    auto result = f.parse("BN,a.gpx,A\nPS,8\n");
    EXPECT_DOUBLE_EQ(f.model.race.playSpeed, 8);
    EXPECT_DOUBLE_EQ(f.model.race.playSpeed2, 8);
    EXPECT_EQ(result.window.replaySpeed2, 8);
    EXPECT_EQ(speedSliderPosition(result.window.replaySpeed), 31);
    result = f.parse("BN,a.gpx,A\nPS,20,200\n");
    EXPECT_EQ(speedSliderPosition(result.window.replaySpeed), 44);
    EXPECT_EQ(speedSliderPosition(result.window.replaySpeed2), 84);
}

TEST(RaceFileReset, SomeFieldsCarryOverToTheNextRace) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.parse(
        "BN,a.gpx,A\nST,2007/05/12 10:00:00\nFT,2007/05/12 11:00:00\nTD,9\nMG,-7\nWD,180\n"
        "LL,40,50\nCT,1\nNU,1\nT1,First race\nMK,1,2\nCRS,MK1\nPS,30\nLG,9\nADDAREA,8\n");
    f.parse("BN,a.gpx,A\n");
    const Race& r = f.model.race;
    // Carried over.
    EXPECT_EQ(formatTimestamp(r.start), "2007/05/12 10:00:00");
    EXPECT_EQ(r.timeZoneHours, 9);
    EXPECT_DOUBLE_EQ(r.magneticVariation, -7);
    EXPECT_EQ(r.windDirectionInput, 180);
    EXPECT_EQ(r.laylineAngles[1], 50);
    EXPECT_DOUBLE_EQ(r.timelineEnd, 3630);
    // Reset.
    EXPECT_EQ(r.timeMode, TimeMode::Elapsed);
    EXPECT_FALSE(r.northUp);
    EXPECT_EQ(r.title, "");
    EXPECT_EQ(f.model.marks.count(), 0);
    EXPECT_EQ(r.courseLength(), 0);
    EXPECT_DOUBLE_EQ(r.playSpeed, 5);
    EXPECT_DOUBLE_EQ(r.defaultBoatLength, 4.7);
    EXPECT_FLOAT_EQ(r.addArea, 5);
}

TEST(RaceFileWindow, EffectsForTheControls) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.tree.write("attachment/Notice.PDF", "x");
    auto result = f.parse("BN,a.gpx,A,1.1\nCT,1\nNU,1\nAT,notice.pdf,missing.pdf\n");
    EXPECT_EQ(result.window.timeMode, TimeMode::Corrected);
    EXPECT_TRUE(result.window.northUp);
    EXPECT_TRUE(result.window.hasAttachments);
    EXPECT_EQ(f.model.race.attachments.count(), 1);
    result = f.parse("BN,a.gpx,A\n");
    EXPECT_FALSE(result.window.northUp);
    EXPECT_FALSE(result.window.hasAttachments);
}

TEST(RaceFilePictures, SizeFallsBackTo400) {
    RaceFixture f;
    f.logs({"a.gpx"});
    f.parse("BN,a.gpx,A\nPIC,photos\\day1,-12.5,abc\n");
    EXPECT_EQ(f.model.race.pictureFolder, "photos\\day1");
    EXPECT_FLOAT_EQ(f.model.race.pictureTimeOffset, -12.5f);
    EXPECT_EQ(f.model.race.pictureSize, 400);
    f.parse("BN,a.gpx,A\nPIC,photos,0,640\n");
    EXPECT_EQ(f.model.race.pictureSize, 640);
}

TEST(RaceFileEncoding, Cp932FileReadsLikeItsUtf8Twin) {
    const std::string text =
        "T1,江の島カップ "
        "第３レース\r\nT2,相模湾\r\nBN,a.gpx,風神^^10.5\r\nCLSSEP,1\r\nCLSN,ヨット\r\n";
    RaceFixture utf8;
    utf8.logs({"a.gpx"});
    utf8.parse(text);
    RaceFixture sjis;
    sjis.logs({"a.gpx"});
    sjis.parse(encodeText(text, TextEncoding::Cp932));
    EXPECT_EQ(sjis.model.race.title, "江の島カップ 第３レース");
    EXPECT_EQ(sjis.model.race.title, utf8.model.race.title);
    EXPECT_EQ(sjis.model.race.subtitle, utf8.model.race.subtitle);
    EXPECT_EQ(sjis.model.boats[0].name, "風神");
    EXPECT_EQ(sjis.model.classes[0].name, "ヨット");
    EXPECT_EQ(sjis.model.race.captionDate, "相模湾");
}

TEST(RaceFileMissing, NoFileMeansNoBoats) {
    RaceFixture f;
    RaceFileOptions options;
    options.fileExists = filesBelow(f.tree.root());
    const auto result = parseRaceFile(f.tree.root() / "raceadmin/none.txt", f.model, options);
    EXPECT_FALSE(result.fileFound);
    EXPECT_EQ(f.model.boatCount(), 0);
}

}  // namespace
}  // namespace korvane

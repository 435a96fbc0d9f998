#include <gtest/gtest.h>

#include <random>

#include "literal_readers.h"
#include "log_builders.h"
#include "test_window.h"
#include "tracks/gpx_reader.h"
#include "tracks/nmea_reader.h"
#include "tracks/tline_reader.h"

namespace korvane {
namespace {

using namespace testlogs;

// --- GPX -------------------------------------------------------------------

TEST(GpxReader, ReadsPointsInDegreesAsMinutes) {
    const auto track = readGpx(gpx({{kStartUnix + 7, 35.25, -139.5}}), windowFor("gpx"));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].timeSeconds, 7);
    EXPECT_DOUBLE_EQ(track[0].latMinutes, 2115);
    EXPECT_DOUBLE_EQ(track[0].lonMinutes, -8370);
}

TEST(GpxReader, StopsAtTheFirstPointAfterTheWindow) {
    auto fixes = fixRun(3, 10, 0);
    fixes.push_back({kStartUnix + 5550, 35, 139});  // at the bound: skipped only
    fixes.push_back({kStartUnix + 30, 35, 139});
    fixes.push_back({kStartUnix + 5551, 35, 139});  // past it: reading ends
    fixes.push_back({kStartUnix + 40, 35, 139});
    EXPECT_EQ(times(readGpx(gpx(fixes), windowFor("gpx"))), (std::vector<double>{0, 10, 20, 30}));
}

TEST(GpxReader, EndsAtTheClosingGpxTag) {
    const std::string tail = gpxPoint({kStartUnix + 9, 35, 139});
    const std::string bytes = gpx(fixRun(2)) + tail;
    EXPECT_EQ(readGpx(bytes, windowFor("gpx")).size(), 2u);
}

TEST(GpxReader, IgnoresRoutesWaypointsAndLetterCase) {
    const std::string bytes =
        "<gpx><wpt lat=\"1\" lon=\"2\"><time>2024-05-12T02:00:01Z</time></wpt>"
        "<rte><rtept lat=\"1\" lon=\"2\"><time>2024-05-12T02:00:02Z</time></rtept></rte>"
        "<TRK><TRKSEG><TRKPT LON=\"139.5\" LAT=\"35.5\"><TIME>2024-05-12T02:00:03Z</TIME></TRKPT>"
        "</TRKSEG></TRK></GPX>";
    const auto track = readGpx(bytes, windowFor("gpx"));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].timeSeconds, 3);
    EXPECT_DOUBLE_EQ(track[0].latMinutes, 2130);
    EXPECT_DOUBLE_EQ(track[0].lonMinutes, 8370);
}

struct BadPoint {
    const char* name;
    const char* point;
};

class GpxBadPointTest : public testing::TestWithParam<BadPoint> {};

// Each bad point sits between two good ones: it is skipped, the rest read.
TEST_P(GpxBadPointTest, SkipsThePointOnly) {
    const std::string bytes = "<gpx><trk><trkseg>" + gpxPoint({kStartUnix + 1, 35, 139}) +
                              GetParam().point + gpxPoint({kStartUnix + 3, 35, 139}) +
                              "</trkseg></trk></gpx>";
    const auto track = readGpx(bytes, windowFor("gpx"));
    EXPECT_EQ(times(track), (std::vector<double>{1, 3})) << GetParam().name;
    EXPECT_TRUE(literal::sameFixes(track, literal::readGpx(bytes, windowFor("gpx"))));
}

INSTANTIATE_TEST_SUITE_P(
    Points, GpxBadPointTest,
    testing::Values(
        // Single quotes must not make the reader take lon's value for lat.
        BadPoint{"single quotes",
                 "<trkpt lat='35.1' lon=\"139.2\"><time>2024-05-12T02:00:02Z</time></trkpt>"},
        BadPoint{"no time", "<trkpt lat=\"35.1\" lon=\"139.2\"><ele>3</ele></trkpt>"},
        BadPoint{"no lon", "<trkpt lat=\"35.1\"><time>2024-05-12T02:00:02Z</time></trkpt>"},
        BadPoint{"text number",
                 "<trkpt lat=\"abc\" lon=\"139.2\"><time>2024-05-12T02:00:02Z</time></trkpt>"},
        BadPoint{"bad time", "<trkpt lat=\"35\" lon=\"139\"><time>yesterday</time></trkpt>"},
        BadPoint{"day 32",
                 "<trkpt lat=\"35\" lon=\"139\"><time>2024-05-32T02:00:02Z</time></trkpt>"},
        // A far-future point that cannot be read must not end the file.
        BadPoint{"late but unreadable",
                 "<trkpt lat=\"x\" lon=\"139\"><time>2024-05-13T02:00:02Z</time></trkpt>"},
        BadPoint{"unclosed quote",
                 "<trkpt lat=\"35.1 lon=139.2><time>2024-05-12T02:00:02Z</time></trkpt>"}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(GpxReader, TruncatedFileKeepsItsLastCompletePoint) {
    const std::string bytes = gpx(fixRun(3));
    const std::size_t cut = bytes.rfind("</trkpt>");
    EXPECT_EQ(readGpx(bytes.substr(0, cut), windowFor("gpx")).size(), 3u);
    EXPECT_EQ(readGpx(bytes.substr(0, bytes.rfind("<time>") + 3), windowFor("gpx")).size(), 2u);
}

// --- NMEA ------------------------------------------------------------------

TEST(NmeaReader, ReadsTheRmcSentence) {
    ReadWindow w = windowFor("log");
    w.startUtc = *toTimestamp({2007, 5, 12, 10, 0, 0, 0});
    const auto track =
        readNmea("$GPRMC,101112.00,A,3512.3450,N,13945.6780,E,5.2,90.0,120507,,,A\r\n", w);
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].timeSeconds, 11 * 60 + 12);
    EXPECT_NEAR(track[0].latMinutes, 2112.345, 1e-9);
    EXPECT_NEAR(track[0].lonMinutes, 8385.678, 1e-9);
}

struct SentenceCase {
    const char* name;
    const char* line;
    bool stored;
};

class NmeaSentenceTest : public testing::TestWithParam<SentenceCase> {};

TEST_P(NmeaSentenceTest, StoredOrSkippedAsTheRulesSay) {
    const std::string bytes = std::string(GetParam().line) + "\n";
    const auto track = readNmea(bytes, windowFor("log"));
    EXPECT_EQ(track.size(), GetParam().stored ? 1u : 0u) << GetParam().line;
    EXPECT_TRUE(literal::sameFixes(track, literal::readNmea(bytes, windowFor("log"))));
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, NmeaSentenceTest,
    testing::Values(
        SentenceCase{"plain", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,120524,,", true},
        SentenceCase{"other talker, lower case", "$gnrmc,020001,A,3516.2,N,13928.8,E,0,0,120524",
                     true},
        SentenceCase{"status void still read", "$GPRMC,020001,V,3516.2,N,13928.8,E,0,0,120524",
                     true},
        SentenceCase{"not rmc", "$GPGGA,020001,3516.2,N,13928.8,E,1,08,0.9,1,M,,M,,", false},
        SentenceCase{"day zero", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,000524", false},
        SentenceCase{"year 00", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,120500", false},
        SentenceCase{"text date", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,12ab24", false},
        SentenceCase{"text time", "$GPRMC,02xx01,A,3516.2,N,13928.8,E,0,0,120524", false},
        SentenceCase{"empty time", "$GPRMC,,A,3516.2,N,13928.8,E,0,0,120524", false},
        SentenceCase{"no decimal point", "$GPRMC,020001,A,3516,N,13928.8,E,0,0,120524", false},
        SentenceCase{"no fix yet", "$GPRMC,020001,V,,,,,,,120524,,,N", false},
        SentenceCase{"hour 24", "$GPRMC,240001,A,3516.2,N,13928.8,E,0,0,120524", false},
        SentenceCase{"31 April", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,310424", false},
        SentenceCase{"blanks around fields",
                     "$GPRMC, 020001 ,A, 3516.2 ,N ,13928.8, E,0,0, 120524 ", true},
        SentenceCase{"short date", "$GPRMC,020001,A,3516.2,N,13928.8,E,0,0,12052", false},
        SentenceCase{"time without seconds", "$GPRMC,0200,A,3516.2,N,13928.8,E,0,0,120524", false},
        SentenceCase{"cut short", "$GPRMC,020001,A,3516.2,N", false}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(NmeaReader, ReadsPastTheWindowToTheEnd) {
    auto fixes = fixRun(2, 10, 0);
    fixes.push_back({kStartUnix + 9000, 35, 139});
    fixes.push_back({kStartUnix + 30, 35, 139});
    EXPECT_EQ(times(readNmea(nmea(fixes), windowFor("log"))), (std::vector<double>{0, 10, 30}));
}

TEST(NmeaReader, SouthAndWestAreNegative) {
    const auto track = readNmea(nmea({{kStartUnix, -33.5, -70.25}}), windowFor("log"));
    ASSERT_EQ(track.size(), 1u);
    EXPECT_NEAR(track[0].latMinutes, -2010, 1e-9);
    EXPECT_NEAR(track[0].lonMinutes, -4215, 1e-9);
}

// --- fast readers against the literal rules --------------------------------

// Random damage to a valid log: the fast readers must still give exactly
// what the character-by-character rules give.
template <class Fast, class Slow>
void compareOnMutations(const std::string& original, const ReadWindow& w, Fast fast, Slow slow) {
    std::mt19937 random(12345);
    const std::string alphabet = "<>/\"'=tTzZ:.-,0123456789 \r\nNSEWrmcRMCgpxtrkpt$lalon";
    int withFixes = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = original;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
                case 0:
                    bytes[at] = alphabet[random() % alphabet.size()];
                    break;
                case 1:
                    bytes.erase(at, 1 + random() % 6);
                    break;
                default:
                    bytes.insert(at, 1, alphabet[random() % alphabet.size()]);
                    break;
            }
        }
        const auto a = fast(bytes, w);
        ASSERT_TRUE(literal::sameFixes(a, slow(bytes, w))) << bytes;
        if (!a.empty()) ++withFixes;
    }
    EXPECT_GT(withFixes, 1000);  // the damage left most logs readable
}

TEST(FastReaders, GpxAgreesWithTheLiteralRulesOnDamagedFiles) {
    compareOnMutations(gpx(fixRun(6, 1000, -300)), windowFor("gpx"), readGpx, literal::readGpx);
}

TEST(FastReaders, NmeaAgreesWithTheLiteralRulesOnDamagedFiles) {
    compareOnMutations(nmea(fixRun(6, 1000, -300)), windowFor("log"), readNmea, literal::readNmea);
}

// --- "T" lines --------------------------------------------------------------

TEST(TLineReader, ReadsDegreesAndMinutesByDefault) {
    const auto track = readTLines(
        "T  N3516.2000 E13928.8000 2024-05-12 02:00:05 0\r\n"
        "T  S3516.2000 W13928.8000 2024/05/12 02:00:06 0\r\n",
        windowFor("dtr"));
    ASSERT_EQ(track.size(), 2u);
    EXPECT_EQ(track[0].timeSeconds, 5);
    EXPECT_NEAR(track[0].latMinutes, 2116.2, 1e-9);
    EXPECT_NEAR(track[1].lonMinutes, -8368.8, 1e-9);
}

TEST(TLineReader, DegAndDmsLinesSwitchTheFormForWhatFollows) {
    const auto track = readTLines(
        "T N3516.2000 E13928.8000 2024-05-12 02:00:01 0\n"
        "FORMAT DEG\n"
        "T N35.27 E139.48 2024-05-12 02:00:02 0\n"
        "FORMAT DMS\n"
        "T N351612.0 E1392848.0 2024-05-12 02:00:03 0\n",
        windowFor("trk"));
    ASSERT_EQ(track.size(), 3u);
    EXPECT_NEAR(track[0].latMinutes, 2116.2, 1e-9);
    EXPECT_NEAR(track[1].latMinutes, 35.27 * 60, 1e-9);
    EXPECT_NEAR(track[1].lonMinutes, 139.48 * 60, 1e-9);
    EXPECT_NEAR(track[2].latMinutes, 2116.2, 1e-9);
    EXPECT_NEAR(track[2].lonMinutes, 8368.8, 1e-9);
}

TEST(TLineReader, SkipsLinesThatAreNotSixFieldsWithATag) {
    const auto track = readTLines(
        "T N3516.2 E13928.8 2024-05-12 02:00:01 0 extra\n"
        "X N3516.2 E13928.8 2024-05-12 02:00:02 0\n"
        "T N3516.2 E13928.8 2024-05-12 02:00:03\n"
        "WPT N3516.2 E13928.8 2024-05-12 02:00:04 0\n"
        "T N3516 E13928.8 2024-05-12 02:00:05 0\n"
        "T N3516.2 E13928.8 2024-05-12 2:0:6 0\n",
        windowFor("dtr"));
    // "WPT" holds a T; the coordinate without a point is skipped.
    EXPECT_EQ(times(track), (std::vector<double>{4, 6}));
}

TEST(TLineReader, ADateAYearAwayFromTheRaceGivesNoFixes) {
    const std::string log = tlines(fixRun(20, 10, 0));
    EXPECT_EQ(readTLines(log, windowFor("dtr")).size(), 20u);
    ReadWindow later = windowFor("dtr");
    later.raceDate += 365;
    later.startUtc += 365;
    EXPECT_TRUE(readTLines(log, later).empty());
}

TEST(TLineReader, StopsAfterTheFirstLineBeyondTheWindow) {
    auto fixes = fixRun(2, 10, 0);
    fixes.push_back({kStartUnix + 5551, 35, 139});
    fixes.push_back({kStartUnix + 30, 35, 139});
    EXPECT_EQ(times(readTLines(tlines(fixes), windowFor("dtr"))), (std::vector<double>{0, 10}));
}

TEST(TLineReader, UnreadableTimeIsOutsideTheWindowAndDoesNotStop) {
    const auto track = readTLines(
        "T N3516.2 E13928.8 2024-05-12 02:00:01 0\n"
        "T N3516.2 E13928.8 2024-05-12 25:00:01 0\n"
        "T N3516.2 E13928.8 2024-05-12 02:00:03 0\n",
        windowFor("dtr"));
    EXPECT_EQ(times(track), (std::vector<double>{1, 3}));
}

}  // namespace
}  // namespace korvane

// Both KML files read back by an XML parser: which boats appear in which
// folder, and that awkward names keep the file well-formed.
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "export/kml_document.h"
#include "export/kml_export.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

// Placemark names by the name of the innermost folder holding them.
using Folders = std::map<std::string, std::vector<std::string>>;

struct ReadBack {
    Folders folders;
    std::map<std::string, std::string> widths;  // track width by placemark
    std::string error;
};

ReadBack readKml(const std::string& bytes) {
    ReadBack r;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    std::vector<std::string> folderNames;
    std::string placemark;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto tag = xml.name();
            if (tag == QLatin1String("Folder")) folderNames.emplace_back();
            if (tag == QLatin1String("name")) {
                const std::string text = xml.readElementText().toStdString();
                if (placemark == "?") {
                    placemark = text;
                    r.folders[folderNames.back()].push_back(text);
                } else {
                    folderNames.back() = text;
                }
            }
            if (tag == QLatin1String("Placemark")) placemark = "?";
            if (tag == QLatin1String("width"))
                r.widths[placemark] = xml.readElementText().toStdString();
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("Folder")) folderNames.pop_back();
            if (xml.name() == QLatin1String("Placemark")) placemark.clear();
        }
    }
    if (xml.hasError()) r.error = xml.errorString().toStdString();
    return r;
}

std::vector<TrackPoint> fixes(std::initializer_list<double> times) {
    std::vector<TrackPoint> track;
    for (const double t : times) track.push_back({t, 2118 + t / 6000, 8370, 5 + t / 1000, t / 10});
    return track;
}

Boat boat(std::string name, std::vector<TrackPoint> track, int visible = 1) {
    Boat b;
    b.name = std::move(name);
    b.track = std::move(track);
    b.visible = visible;
    return b;
}

// A two-hour race (snapshots every 300 s) starting 2024/05/12 11:00.
RaceModel twoHourRace() {
    RaceModel m;
    m.race.caption = "korvane  race.kml";
    m.race.start = 45424 + 11.0 / 24;
    m.race.timelineEnd = 7230;
    m.boats.append(boat("Long", fixes({-100, 0, 200, 400, 600, 7300})));
    // Its only interval around 300 s is its last one.
    m.boats.append(boat("Short", fixes({-10, 290, 590})));
    m.marks.append({2118, 8371});
    m.lines.append({2117, 8370, 2117, 8370.5});
    return m;
}

KmlOptions options(bool hide = false) {
    KmlOptions o;
    o.iconFolder = "/opt/korvane/ya";
    o.hideUnfocusedBoats = hide;
    return o;
}

TEST(WholeRace, SnapshotsLeaveOutABoatFoundOnlyInItsLastInterval) {
    const ReadBack kml = readKml(wholeRaceKml(twoHourRace(), options()));
    ASSERT_EQ(kml.error, "");
    using V = std::vector<std::string>;
    EXPECT_EQ(kml.folders.at("2024/05/12 11:00:00"), (V{"Long", "Short"}));
    EXPECT_EQ(kml.folders.at("2024/05/12 11:05:00"), (V{"Long"}));
    EXPECT_EQ(kml.folders.count("2024/05/12 11:10:00"), 0u);  // snapshot without boats
    EXPECT_EQ(kml.folders.at("Track Lines"), (V{"Long", "Short"}));
    EXPECT_EQ(kml.folders.at("MARK_LINES"), (V{"MK1", "line1", "LINE1-P", "LINE1-S"}));
    EXPECT_EQ(kml.widths.at("line1"), "1");
}

TEST(WholeRace, AwkwardNamesStayWellFormed) {
    RaceModel m = twoHourRace();
    m.race.caption = "x <&\"Cup\"> & co.kml";
    m.boats[0].name = R"(Tom & "Jerry" <3>)";
    const std::string bytes = wholeRaceKml(m, options());
    const ReadBack kml = readKml(bytes);
    ASSERT_EQ(kml.error, "");
    EXPECT_EQ(kml.folders.at("Track Lines").front(), R"(Tom & "Jerry" <3>)");
    EXPECT_NE(bytes.find("<name>&lt;&amp;&quot;Cup&quot;&gt; &amp; co</name>"), std::string::npos);
}

TEST(WholeRace, LinesEndInCrLf) {
    const std::string bytes = wholeRaceKml(twoHourRace(), options());
    std::size_t lfs = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ++lfs;
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    EXPECT_GT(lfs, 100u);
    EXPECT_EQ(bytes.substr(bytes.size() - 17), "</Folder></kml>\r\n");
}

struct SceneCase {
    bool hideUnfocused;
    double timeSeconds;
    std::vector<std::string> boats;
    const char* wideOrThin;  // width of Long's track
};

class PresentScene : public ::testing::TestWithParam<SceneCase> {};

TEST_P(PresentScene, ListsTheBoatsWithAPositionThen) {
    RaceModel m = twoHourRace();
    m.boats[0].visible = 0;  // Long is hidden on the map
    const SceneCase& c = GetParam();
    const ReadBack kml = readKml(presentSceneKml(m, c.timeSeconds, options(c.hideUnfocused)));
    ASSERT_EQ(kml.error, "");
    std::vector<std::string> expected;
    for (const std::string& b : c.boats) {
        expected.push_back(b);  // the wake
        expected.push_back(b);  // the boat
    }
    ASSERT_EQ(kml.folders.size(), 1u);
    EXPECT_EQ(kml.folders.begin()->second, expected);
    if (*c.wideOrThin) {
        EXPECT_EQ(kml.widths.at("Long"), c.wideOrThin);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PresentScene,
    ::testing::Values(SceneCase{true, 100, {"Short"}, ""},
                      SceneCase{false, 100, {"Long", "Short"}, "1"},
                      // Before Short's first fix, and in Short's last interval.
                      SceneCase{false, -50, {"Long"}, "1"},
                      SceneCase{false, 300, {"Long", "Short"}, "1"}));

TEST(PresentScene, WakeRunsBackTwentyFixesNewestFirst) {
    RaceModel m = twoHourRace();
    std::vector<TrackPoint> track;
    for (int i = 0; i < 40; ++i) track.push_back({i * 10.0, 2118.0 + i, 8370, 5, 0});
    m.boats[0].track = track;
    const std::string bytes = presentSceneKml(m, 305, options());
    // Fix 30 (at 300 s, 2148' = 35.8°) back to fix 10 (2128' = 35.4666...°).
    const std::string head = "<LineString><coordinates>\r\n";
    const std::size_t first = bytes.find(head);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(bytes.substr(first + head.size(), 30), "139.5,35.8,0.0 \r\n139.5,35.7833");
    EXPECT_NE(bytes.find("139.5,35.4666666666667,0.0 \r\n</coordinates>"), std::string::npos);
    EXPECT_EQ(bytes.find("139.5,35.45,0.0 "), std::string::npos);
}

// The file a "file://" URL names, byte for byte.
std::string localFileOf(const std::string& url) {
    if (url.rfind("file://", 0) != 0) return "<not a file URL: " + url + ">";
    return QByteArray::fromPercentEncoding(QByteArray::fromStdString(url.substr(7))).toStdString();
}

TEST(KmlIcons, EveryIconTheFilesNameIsCheckedIn) {
    const std::filesystem::path folder = std::filesystem::path(KORVANE_SOURCE_DIR) / "sample/ya";
    const KmlIcons icons(folder);
    EXPECT_TRUE(std::filesystem::is_regular_file(localFileOf(icons.buoy))) << icons.buoy;
    for (const std::string& icon : icons.boat)
        EXPECT_TRUE(std::filesystem::is_regular_file(localFileOf(icon))) << icon;
}

// Names holding U+FFFE or U+FFFF, or bytes that are not UTF-8, and an icon
// folder unpacked with CP932 names: the file is still well-formed UTF-8,
// and the icons are URLs that give back the folder's very bytes.
TEST(KmlIcons, OddNamesAndFoldersStayWellFormedUtf8) {
    RaceModel m = twoHourRace();
    m.race.caption =
        "x \xEF\xBF\xBE"
        "Cup\xEF\xBF\xBF.kml";
    m.boats[0].name = "Tom\x88\x9F\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\x01\xEF\xB7\x90!";
    KmlOptions o = options();
    const std::string folder = "/data/\x83\x5E\x83\x43 & co/ya";  // "タイ" in CP932
    o.iconFolder = folder;
    for (const std::string& bytes : {wholeRaceKml(m, o), presentSceneKml(m, 100, o)}) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(QByteArray::fromStdString(bytes));
        ASSERT_FALSE(utf8.hasError());
        EXPECT_FALSE(text.contains(QChar(0xFFFE)) || text.contains(QChar(0xFFFF)) ||
                     text.contains(QChar(0xFDD0)));
        const ReadBack kml = readKml(bytes);
        ASSERT_EQ(kml.error, "");
        EXPECT_EQ(kml.folders.begin()->second.front(), "Tom!");
        const std::size_t from = bytes.find_first_not_of("\r\n", bytes.find("<href>") + 6);
        const std::string url = bytes.substr(from, bytes.find('<', from) - from);
        EXPECT_EQ(localFileOf(url).substr(0, folder.size() + 1), folder + "/") << url;
    }
    EXPECT_NE(wholeRaceKml(m, o).find("<name>Cup</name>"), std::string::npos);
}

TEST(KmlExport, WritesIntoTheFolderOrSaysWhyNot) {
    const testing::TempTree tree;
    const RaceModel m = twoHourRace();
    const KmlExportResult whole = exportWholeRace(m, tree.root(), options());
    ASSERT_TRUE(whole.ok()) << whole.error;
    EXPECT_EQ(whole.path.filename(), "ZLTMap5.kml");
    // Written as it is made, it is the same text, and a second export
    // replaces the first.
    EXPECT_EQ(readFileBytes(whole.path), wholeRaceKml(m, options()));
    ASSERT_TRUE(exportWholeRace(m, tree.root(), options()).ok());
    EXPECT_EQ(readFileBytes(whole.path), wholeRaceKml(m, options()));
    const KmlExportResult scene = exportPresentScene(m, 0, tree.root() / "missing", options());
    EXPECT_FALSE(scene.ok());
    EXPECT_NE(scene.error.find("ZLTMap4.kml"), std::string::npos);
}

}  // namespace
}  // namespace korvane

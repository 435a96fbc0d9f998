// Photographs in the replay and files dropped on the window, offscreen, with
// injected ticks and scripted answers to the drop's questions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QTimer>
#include <deque>
#include <fstream>

#include "app/drop_texts.h"
#include "app/main_window.h"
#include "base/file_io.h"
#include "pictures/test_jpeg.h"
#include "race/race_list.h"
#include "support/temp_tree.h"
#include "tracks/log_file.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using namespace drop_texts;

const fs::path kSample = KORVANE_SOURCE_DIR "/sample";

void app() {
    static int argc = 1;
    static char name[] = "picture_window_tests";
    static char* argv[] = {name, nullptr};
    static auto* a = new QApplication(argc, argv);
    (void)a;
}

void waitForOpening(MainWindow& w) {
    w.controller().loader().wait();
    for (int i = 0; i < 50 && !w.controller().loader().busy(); ++i)
        QCoreApplication::processEvents();
}

std::unique_ptr<MainWindow> open(const std::string& race, const fs::path& root = kSample) {
    app();
    auto w =
        std::make_unique<MainWindow>(StartChoice{root, race, false}, buildRaceList(root).names);
    w->controller().setRealTicksIgnored(true);
    w->resize(1280, 800);
    w->openRace(race);
    waitForOpening(*w);
    return w;
}

// Plays forward from `fromSeconds` in 100 ms ticks until a picture holds the
// replay or `maxTicks` pass.
void playInto(MainWindow& w, double fromSeconds, int maxTicks = 100) {
    w.actions().trigger(Command::Stop);
    w.jumpPanel()->showMoment(w.session()->model.race.start + fromSeconds / 86400);
    w.jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
    w.controller().setSpeedBarPosition(0, false);  // 1X
    w.actions().trigger(Command::PlayForward);
    for (int k = 0; k < maxTicks && !w.clock().pictureHeld(); ++k) w.controller().frameTick(100);
}

// The sample race's second photograph is taken 750 s after the gun.
constexpr double kSecondPictureSeconds = 750;

TEST(PictureReplay, TheReplayRestsOnAPictureForTheChosenSeconds) {
    const auto w = open("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    PictureShow* p = w->pictures();
    ASSERT_EQ(p->catalogue().count(), 4);
    EXPECT_FALSE(p->settings()->isHidden());
    playInto(*w, kSecondPictureSeconds - 2);
    ASSERT_TRUE(w->clock().pictureHeld());
    EXPECT_EQ(p->currentPicture(), 1);
    EXPECT_FALSE(p->panel()->isHidden());
    EXPECT_TRUE(p->panel()->captionText().endsWith(QStringLiteral("IMG_0102.JPG ( 2 / 4 )")))
        << p->panel()->captionText().toStdString();
    // A 320 × 240 picture at the race's size 400.
    EXPECT_EQ(p->panel()->size(), QSize(410, 335));
    EXPECT_TRUE(p->settings()->holdButtonEnabled());
    const double heldAt = w->clock().timeSeconds();
    for (int k = 0; k < 4; ++k) w->controller().frameTick(1000);
    EXPECT_TRUE(w->clock().pictureHeld());
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), heldAt);
    w->controller().frameTick(1000);  // the fifth second
    EXPECT_FALSE(w->clock().pictureHeld());
    EXPECT_TRUE(p->panel()->isHidden());
    EXPECT_FALSE(p->settings()->holdButtonEnabled());
    w->controller().frameTick(1000);
    EXPECT_GT(w->clock().timeSeconds(), heldAt);
}

// The pages cover the map and stop the replay: a picture on show would
// stand over the graphs and hold a replay nobody sees.
TEST(PictureReplay, APageLetsThePictureGoAndTheMapBringsTheSettingsBack) {
    const auto w = open("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    PictureShow* p = w->pictures();
    playInto(*w, kSecondPictureSeconds - 2);
    ASSERT_TRUE(w->clock().pictureHeld());
    for (const Command page : {Command::GraphPage, Command::AnalysisPage}) {
        w->actions().trigger(page);
        EXPECT_FALSE(w->clock().pictureHeld());
        EXPECT_TRUE(p->panel()->isHidden());
        EXPECT_TRUE(p->settings()->isHidden());
        EXPECT_FALSE(p->showing());
    }
    w->actions().trigger(Command::TrackPage);
    w->controller().secondTick();
    EXPECT_FALSE(p->settings()->isHidden());
}

// A folder lists its pictures by name, and a camera's names need not follow
// its clock: the settings stay until a minute after the latest picture.
TEST(PictureReplay, TheSettingsStayUntilAMinuteAfterTheLatestPicture) {
    const auto w = open("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    PictureShow* p = w->pictures();
    PictureCatalogue c = p->catalogue();
    ASSERT_EQ(c.count(), 4);
    const double times[] = {100, 900, 500, 300};  // the last listed is not the latest
    for (int k = 0; k < 4; ++k) c.entries[static_cast<std::size_t>(k)].timeSeconds = times[k];
    p->replaceCatalogue(c, w->map()->width());
    for (const auto& [seconds, shown] : {std::pair{600.0, true}, std::pair{961.0, false}}) {
        SCOPED_TRACE(seconds);
        w->controller().jumpTo(seconds);
        ASSERT_DOUBLE_EQ(w->clock().timeSeconds(), seconds);
        w->controller().secondTick();
        EXPECT_EQ(p->settings()->isHidden(), !shown);
    }
}

TEST(PictureReplay, StopHoldsForTenMinutesAndRestartGoesOn) {
    const auto w = open("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    PictureShow* p = w->pictures();
    playInto(*w, kSecondPictureSeconds - 2);
    ASSERT_TRUE(w->clock().pictureHeld());
    auto* hold = p->settings()->findChild<QPushButton*>("holdButton");
    hold->click();
    EXPECT_EQ(hold->text(), QStringLiteral("restart"));
    for (int k = 0; k < 9 * 60; ++k) w->controller().frameTick(1000);  // nine minutes
    EXPECT_TRUE(w->clock().pictureHeld());
    EXPECT_FALSE(p->panel()->isHidden());
    // The camera clock was 30 s slow: the boats move to 30 s after the picture.
    p->settings()->setCorrectionSeconds(30);
    EXPECT_DOUBLE_EQ(w->clock().timeSeconds(), kSecondPictureSeconds + 30);
    EXPECT_DOUBLE_EQ(p->correctedTimesSeconds().at(1), kSecondPictureSeconds + 30);
    hold->click();
    EXPECT_EQ(hold->text(), QStringLiteral("stop"));
    EXPECT_FALSE(hold->isEnabled());
    EXPECT_FALSE(w->clock().pictureHeld());
    EXPECT_TRUE(p->panel()->isHidden());
    w->controller().frameTick(1000);
    EXPECT_GT(w->clock().timeSeconds(), kSecondPictureSeconds + 30);
}

TEST(PictureReplay, UncheckedPicturesDoNotStopTheReplay) {
    const auto w = open("enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    w->pictures()->settings()->setPicturesOn(false);
    playInto(*w, kSecondPictureSeconds - 2, 40);
    EXPECT_FALSE(w->clock().pictureHeld());
    EXPECT_GT(w->clock().timeSeconds(), kSecondPictureSeconds);
}

struct ShownCase {
    const char* name;
    int width, height, orientation, size;
    QSize shown, panel;
};

class PicturePanelSize : public ::testing::TestWithParam<ShownCase> {};

TEST_P(PicturePanelSize, LongerSideTakesTheSizeAsThePictureStands) {
    const ShownCase& c = GetParam();
    app();
    testing::TempTree t;
    tools::TestJpeg jpeg;
    jpeg.width = c.width;
    jpeg.height = c.height;
    jpeg.orientation = c.orientation;
    jpeg.captureTime = "2024:05:12 11:00:00";
    jpeg.quality = 20;
    const fs::path file = t.root() / "p.jpg";
    ASSERT_TRUE(tools::writeTestJpeg(file, jpeg));
    PicturePanel panel;
    ASSERT_TRUE(
        panel.showPicture(QString::fromStdString(file.string()), QStringLiteral("x"), c.size));
    EXPECT_EQ(panel.pictureSize(), c.shown);
    EXPECT_EQ(panel.size(), c.panel);
    // A file that cannot be read keeps the picture on show.
    EXPECT_FALSE(panel.showPicture(QStringLiteral("/no/such.jpg"), QStringLiteral("y"), 900));
    EXPECT_EQ(panel.size(), c.panel);
    EXPECT_EQ(panel.captionText(), QStringLiteral("y"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PicturePanelSize,
    ::testing::Values(ShownCase{"Landscape", 4000, 3000, 0, 400, {400, 300}, {410, 335}},
                      ShownCase{"SquareAsPortrait", 600, 600, 0, 400, {400, 400}, {410, 435}},
                      ShownCase{"TurnedByTheCamera", 400, 200, 6, 400, {200, 400}, {210, 435}}),
    [](const auto& info) { return std::string(info.param.name); });

// Answers the drop's questions from a script and keeps what was asked.
class ScriptedQuestions : public DropQuestions {
  public:
    std::deque<std::optional<QString>> texts;
    std::deque<bool> yesNo;
    QStringList told, asked;
    void tell(const QString& text) override { told << text; }
    std::optional<QString> askText(const QString& caption, const QString&,
                                   const QString& suggestion) override {
        asked << caption + "=" + suggestion;
        if (texts.empty()) return std::nullopt;
        auto a = texts.front();
        texts.pop_front();
        return a;
    }
    bool askYesNo(const QString& caption, const QString&) override {
        asked << caption;
        if (yesNo.empty()) return false;
        const bool a = yesNo.front();
        yesNo.pop_front();
        return a;
    }
};

// A copy of the sample tree the drops may write into.
struct DropTree {
    testing::TempTree tree;
    fs::path root = tree.root() / "data";
    DropTree() { fs::copy(kSample, root, fs::copy_options::recursive); }
    std::string raceFileBytes(const std::string& race) const {
        return readFileBytes(root / "raceadmin" / race).value_or("");
    }
};

ScriptedQuestions* script(MainWindow& w) {
    auto q = std::make_unique<ScriptedQuestions>();
    ScriptedQuestions* raw = q.get();
    w.setDropQuestions(std::move(q));
    return raw;
}

// A copy of a sample log with every fix a year before the race.
void writeLogOutsideTheRace(const fs::path& gpsdat, const std::string& name) {
    std::string gpx = readFileBytes(gpsdat / "hayate.gpx").value();
    for (std::size_t at = gpx.find("2024-"); at != std::string::npos; at = gpx.find("2024-", at))
        gpx.replace(at, 5, "2023-");
    std::ofstream(gpsdat / name, std::ios::binary) << gpx;
}

struct RefusedDrop {
    const char* name;
    const char* race;
    std::string dropped;  // relative to the data root
    QString told;
};

class RefusedDrops : public ::testing::TestWithParam<RefusedDrop> {};

TEST_P(RefusedDrops, TellWhyAndLeaveTheRaceFileAsItWas) {
    const RefusedDrop& c = GetParam();
    DropTree d;
    writeLogOutsideTheRace(d.root / "gpsdat", "lastyear.gpx");
    fs::create_directories(d.root / "photos.v2");
    // Logs that could never be boats: a pipe, a file far too large (sparse,
    // so nothing is written), a name the race file cannot hold.
    ASSERT_EQ(::mkfifo((d.root / "gpsdat/pipe.gpx").c_str(), 0600), 0);
    std::ofstream(d.root / "gpsdat/huge.gpx").close();
    fs::resize_file(d.root / "gpsdat/huge.gpx", std::uintmax_t{2} << 30);
    fs::copy_file(d.root / "gpsdat/hayate.gpx", d.root / "gpsdat/hayate,2.gpx");
    const std::string before = d.raceFileBytes(c.race);
    const auto w = open(c.race, d.root);
    ASSERT_NE(w->session(), nullptr);
    const int boats = w->session()->model.boatCount();
    const int pictures = w->pictures()->catalogue().count();
    ScriptedQuestions* q = script(*w);
    q->texts = {QStringLiteral("Name"), QStringLiteral("1")};
    q->yesNo = {true, true};
    w->dropPaths({QString::fromStdString((d.root / c.dropped).string())});
    waitForOpening(*w);
    EXPECT_EQ(q->told, QStringList{c.told});
    EXPECT_TRUE(q->asked.isEmpty()) << q->asked.join(u',').toStdString();
    EXPECT_EQ(d.raceFileBytes(c.race), before);
    EXPECT_EQ(w->session()->model.boatCount(), boats);
    EXPECT_EQ(w->pictures()->catalogue().count(), pictures);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedDrops,
    ::testing::Values(
        RefusedDrop{"CorrectedTimeMode", "enoshima-ct.txt", "gpsdat/hayate.gpx",
                    kCorrectedTimeRefuses},
        RefusedDrop{"FolderWithADotNearItsEnd", "enoshima-cup.txt", "photos.v2", kDropAFolder},
        RefusedDrop{"NotALog", "enoshima-cup.txt", "gpsdat/breeze.log", kDropAFolder},
        RefusedDrop{"EveryFixOutsideTheRace", "enoshima-cup.txt", "gpsdat/lastyear.gpx",
                    kNoDataInRaceTime},
        RefusedDrop{"ABoatOfTheRaceAlready", "enoshima-cup.txt", "gpsdat/kaze.gpx",
                    kLogAlreadyInRace},
        RefusedDrop{"APipe", "enoshima-cup.txt", "gpsdat/pipe.gpx", kLogNotARegularFile},
        RefusedDrop{"TwoGigabytes", "enoshima-cup.txt", "gpsdat/huge.gpx",
                    logTooLarge(kMaxLogBytes)},
        RefusedDrop{"ACommaInTheName", "enoshima-cup.txt", "gpsdat/hayate,2.gpx",
                    kLogNameDoesNotFit}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileDrop, TheFirstOfThreeLogsBecomesANewBoat) {
    DropTree d;
    fs::copy_file(d.root / "gpsdat/hayate.gpx", d.root / "gpsdat/newboat.gpx");
    const std::string before = d.raceFileBytes("enoshima-cup.txt");
    const auto w = open("enoshima-cup.txt", d.root);
    ASSERT_NE(w->session(), nullptr);
    const int boats = w->session()->model.boatCount();
    ScriptedQuestions* q = script(*w);
    // Answering No first: nothing is written.
    const QStringList three = {QString::fromStdString((d.root / "gpsdat/newboat.gpx").string()),
                               QString::fromStdString((d.root / "gpsdat/hayate.gpx").string()),
                               QString::fromStdString((d.root / "gpsdat/kaze.gpx").string())};
    q->texts = {QStringLiteral("New Boat"), QStringLiteral("1.05")};
    q->yesNo = {false};
    w->dropPaths(three);
    EXPECT_EQ(q->asked,
              (QStringList{kBoatNameCaption + "=newboat", kFactorCaption + "=1", kAddBoatCaption}));
    EXPECT_EQ(d.raceFileBytes("enoshima-cup.txt"), before);

    q->asked.clear();
    q->texts = {QStringLiteral("New Boat"), QStringLiteral("not a number")};
    q->yesNo = {true};
    w->dropPaths(three);
    waitForOpening(*w);
    ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
    EXPECT_EQ(w->session()->model.boatCount(), boats + 1);
    const std::string after = d.raceFileBytes("enoshima-cup.txt");
    const std::string line = "BN,newboat.gpx,New Boat,1\r\n";
    const std::size_t at = after.find(line);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(after.substr(0, at) + after.substr(at + line.size()), before);
}

TEST(FileDrop, AFolderOfPhotographsReplacesTheRacePictures) {
    app();
    DropTree d;
    const fs::path photos = d.root / "my photos";
    fs::create_directories(photos);
    for (const char* time : {"2024:05:12 11:05:00", "2024:05:12 11:06:00", "2023:01:01 11:00:00"}) {
        tools::TestJpeg jpeg;
        jpeg.captureTime = time;
        jpeg.label = time;
        ASSERT_TRUE(tools::writeTestJpeg(
            photos / (std::string(time).substr(11, 2) + std::string(time).substr(14, 2) + ".jpg"),
            jpeg));
    }
    const auto w = open("enoshima-cup.txt", d.root);
    ASSERT_NE(w->session(), nullptr);
    ScriptedQuestions* q = script(*w);
    q->yesNo = {true};
    w->dropPaths({QString::fromStdString(photos.string()) + "/"});
    EXPECT_EQ(q->asked, QStringList{kReplaceCaption});
    EXPECT_EQ(q->told, QStringList{QStringLiteral("2") + kPicturesFound});
    EXPECT_EQ(w->pictures()->catalogue().count(), 2);
    EXPECT_EQ(w->pictures()->catalogue().folder, photos);

    // A folder with nothing of the race keeps the pictures there are.
    q->told.clear();
    q->yesNo = {true};
    w->dropPaths({QString::fromStdString((d.root / "coastline").string())});
    EXPECT_EQ(q->told, QStringList{kNoPictures});
    EXPECT_EQ(w->pictures()->catalogue().count(), 2);

    // The dropped folder is the race's from now on: closing keeps it.
    w->close();
    EXPECT_NE(d.raceFileBytes("enoshima-cup.txt").find("PIC," + photos.string() + ",0,400\r\n"),
              std::string::npos);
}

// The folder is read beside the window, not on its thread: a timer that is
// due fires while the drop reads the photographs.
TEST(FileDrop, AFolderOfPhotographsIsReadWhileTheWindowGoesOn) {
    app();
    DropTree d;
    const fs::path photos = d.root / "photos";
    fs::create_directories(photos);
    tools::TestJpeg jpeg;
    jpeg.captureTime = "2024:05:12 11:05:00";
    ASSERT_TRUE(tools::writeTestJpeg(photos / "a.jpg", jpeg));
    const auto w = open("enoshima-cup.txt", d.root);
    ASSERT_NE(w->session(), nullptr);
    ScriptedQuestions* q = script(*w);
    q->yesNo = {true};
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    w->dropPaths({QString::fromStdString(photos.string())});
    const int ticksDuringTheDrop = ticks;
    timer.stop();
    EXPECT_GT(ticksDuringTheDrop, 0);
    EXPECT_EQ(q->told, QStringList{QStringLiteral("1") + kPicturesFound});
    EXPECT_EQ(w->pictures()->catalogue().count(), 1);
}

// What the user set in the picture panel reaches the race file's PIC line
// when the window closes; every other byte stays, and an untouched panel
// writes nothing.
struct KeptSetting {
    const char* name;
    int correctionSeconds;
    int sizePixels;
    const char* picLine;
};

class KeptPictureSettings : public ::testing::TestWithParam<KeptSetting> {};

TEST_P(KeptPictureSettings, GoIntoThePictureLineAtClose) {
    const KeptSetting& c = GetParam();
    DropTree d;
    const std::string before = d.raceFileBytes("enoshima-cup.txt");
    const auto w = open("enoshima-cup.txt", d.root);
    ASSERT_NE(w->session(), nullptr);
    w->pictures()->settings()->setCorrectionSeconds(c.correctionSeconds);
    w->pictures()->settings()->setSizePixels(c.sizePixels);
    w->close();
    std::string expected = before;
    const std::size_t at = expected.find("PIC,enoshima-cup,0,400");
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, std::string("PIC,enoshima-cup,0,400").size(), c.picLine);
    EXPECT_EQ(d.raceFileBytes("enoshima-cup.txt"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptPictureSettings,
    ::testing::Values(KeptSetting{"Untouched", 0, 400, "PIC,enoshima-cup,0,400"},
                      KeptSetting{"CameraCorrection", -45, 400, "PIC,enoshima-cup,-45,400"},
                      KeptSetting{"Size", 0, 600, "PIC,enoshima-cup,0,600"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane

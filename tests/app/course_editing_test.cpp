// Course editing in the window, on a copy of the sample tree: the clicks
// the map hands over become the race file's course, a wind history drawn on
// the Graph page is saved and read back, and the sample's wind file shows.
#include <gtest/gtest.h>
#include <unistd.h>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <functional>

#include "app/window_fixture.h"
#include "race/race_file.h"
#include "race/race_file_edits.h"
#include "race/wind_file.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class YesQuestions : public DropQuestions {
  public:
    void tell(const QString& text) override { told.push_back(text); }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool askYesNo(const QString&, const QString&) override {
        ++asked;
        return answer;
    }
    bool answer = true;
    int asked = 0;
    std::vector<QString> told;
};

class CourseEditingWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("korvane-editing-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        for (const char* folder : {"raceadmin", "gpsdat", "winddat", "coastline"})
            fs::copy(kSample / folder, root_ / folder, fs::copy_options::recursive);
        app();
        w_ = makeWindow(StartChoice{root_, kRace, true}, buildRaceList(root_).names);
        w_->resize(1280, 800);
        w_->show();
        auto questions = std::make_unique<YesQuestions>();
        questions_ = questions.get();
        w_->setDropQuestions(std::move(questions));
        w_->openRace(kRace);
        waitForOpening(*w_);
        ASSERT_NE(w_->session(), nullptr);
    }
    void TearDown() override {
        w_.reset();
        fs::remove_all(root_);
    }
    RaceModel reread() const {
        RaceModel m;
        RaceFileOptions options;
        options.fileExists = [](RaceFolder, const std::string&) { return true; };
        parseRaceFile(root_ / "raceadmin" / kRace, m, options);
        return m;
    }
    void click(double lat, double lon, bool left = true, std::optional<CoursePick> pick = {}) {
        emit w_->map()->courseEditClicked({GeoPoint{lat, lon}, left, pick});
    }

    static constexpr const char* kRace = "enoshima-ct.txt";
    fs::path root_;
    std::unique_ptr<MainWindow> w_;
    YesQuestions* questions_ = nullptr;
};

TEST_F(CourseEditingWindow, ClicksBecomeTheRewrittenCourse) {
    CourseEditPanel* panel = w_->editPanel();
    ASSERT_TRUE(w_->controller().editMode());
    panel->findChild<QRadioButton*>("courseSetButton")->setChecked(true);
    panel->findChild<QPushButton*>("resetCourseButton")->click();
    panel->findChild<QRadioButton*>("markPosButton")->setChecked(true);
    click(2113.5, 8367.5);
    click(0, 0, false, CoursePick{CoursePick::Kind::Mark, 0, "MK1"});  // the old windward mark
    panel->findChild<QRadioButton*>("linePosButton")->setChecked(true);
    click(2114.1, 8367.9);
    click(2114.2, 8368.0);
    panel->findChild<QRadioButton*>("courseSetButton")->setChecked(true);
    click(0, 0, true, CoursePick{CoursePick::Kind::LineEnd, 2, "L3"});
    click(0, 0, true, CoursePick{CoursePick::Kind::Mark, 1, "MK2"});
    EXPECT_EQ(panel->findChild<QLineEdit*>("courseField")->text(), "  L3  MK2");
    EXPECT_EQ(w_->session()->model.marks.count(), 2);  // shown before it is written
    panel->findChild<QLineEdit*>("windField")->setText("-20");
    panel->findChild<QPushButton*>("windOkButton")->click();

    const RaceModel m = reread();
    ASSERT_EQ(m.marks.count(), 2);
    EXPECT_DOUBLE_EQ(m.marks.at(1).latMinutes, 2113.5);
    ASSERT_EQ(m.lines.count(), 3);
    EXPECT_DOUBLE_EQ(m.lines.at(2).lat2Minutes, 2114.2);
    ASSERT_EQ(m.race.courseLength(), 2);
    EXPECT_EQ(m.race.course.at(0), "L3");
    EXPECT_EQ(m.race.windDirectionInput, 340);
    EXPECT_EQ(m.boatCount(), w_->session()->model.boatCount());
}

int roundings(const RaceSession& s) {
    int n = 0;
    for (const auto& boat : s.maneuvers())
        for (const Maneuver& m : boat) n += m.kind == ManeuverKind::Rounding;
    return n;
}

TEST_F(CourseEditingWindow, LegsFollowTheCourseAsItIsEdited) {
    const std::vector<std::optional<double>> opened = w_->session()->legs.lastPointTimes();
    const int openedRoundings = roundings(*w_->session());
    ASSERT_GT(openedRoundings, 0);
    ASSERT_TRUE(w_->referenceBoat().has_value());
    CourseEditPanel* panel = w_->editPanel();
    panel->findChild<QRadioButton*>("courseSetButton")->setChecked(true);
    panel->findChild<QPushButton*>("resetCourseButton")->click();
    EXPECT_EQ(w_->session()->legs.pointCount(), 0);
    EXPECT_FALSE(w_->referenceBoat().has_value());
    EXPECT_EQ(roundings(*w_->session()), 0);

    // The same course again, click by click: the legs are those of the file.
    click(0, 0, true, CoursePick{CoursePick::Kind::LineEnd, 0, "L1"});
    for (int mark : {0, 1, 0})
        click(0, 0, true,
              CoursePick{CoursePick::Kind::Mark, mark, QStringLiteral("MK%1").arg(mark + 1)});
    click(0, 0, true, CoursePick{CoursePick::Kind::LineEnd, 1, "L2"});
    EXPECT_EQ(w_->session()->legs.pointCount(), 5);
    EXPECT_EQ(w_->session()->legs.lastPointTimes(), opened);
    EXPECT_EQ(roundings(*w_->session()), openedRoundings);
    EXPECT_TRUE(w_->referenceBoat().has_value());
}

TEST_F(CourseEditingWindow, DrawnWindIsSavedAndReadBack) {
    CourseEditPanel* panel = w_->editPanel();
    panel->findChild<QPushButton*>("saveWindButton")->setEnabled(true);
    panel->findChild<QPushButton*>("saveWindButton")->click();
    EXPECT_EQ(w_->lastError(), "No Wind Data");

    panel->findChild<QCheckBox*>("makeWindBox")->setChecked(true);
    ASSERT_EQ(w_->pages()->page(), Page::Graph);
    // Latest first (top to bottom), then one outside the course panel.
    const int wide = w_->pages()->width(), high = w_->pages()->height();
    for (const QPoint at : {QPoint(wide * 4 / 10, 60), QPoint(wide / 4, high / 2),
                            QPoint(wide / 10, high - 100), QPoint(wide * 9 / 10, 100)})
        emit w_->pages()->pressed(at);
    ASSERT_EQ(w_->courseEditing()->windStrokes().size(), 4u);
    const auto drawn = w_->session()->model.windSamples;
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_TRUE(panel->findChild<QPushButton*>("saveWindButton")->isEnabled());
    panel->findChild<QPushButton*>("saveWindButton")->click();
    EXPECT_FALSE(panel->findChild<QCheckBox*>("makeWindBox")->isChecked());

    RaceModel m = reread();
    EXPECT_EQ(m.race.windFile, "enoshima-ct_wind.csv");
    readWindFile(root_, m);
    ASSERT_EQ(m.windSamples.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {  // drawn latest first, read earliest first
        EXPECT_EQ(m.windSamples[i].timeSeconds, drawn[2 - i].timeSeconds);
        EXPECT_EQ(m.windSamples[i].twdDegrees, drawn[2 - i].twdDegrees);
    }
}

// The wind history is drawn on the Graph page, so the panel's "Save Wind
// Data" must stay on top there, where a user's press lands.
TEST_F(CourseEditingWindow, SaveWindStaysReachableOverTheGraphPage) {
    CourseEditPanel* panel = w_->editPanel();
    auto* save = panel->findChild<QPushButton*>("saveWindButton");
    for (const char* way : {"make wind", "page button"}) {
        SCOPED_TRACE(way);
        w_->actions().trigger(Command::TrackPage);
        panel->findChild<QCheckBox*>("makeWindBox")->setChecked(false);
        if (std::string(way) == "make wind")
            panel->findChild<QCheckBox*>("makeWindBox")->setChecked(true);
        else
            w_->actions().trigger(Command::GraphPage);
        ASSERT_EQ(w_->pages()->page(), Page::Graph);
        ASSERT_TRUE(w_->pages()->isVisible());
        ASSERT_TRUE(save->isVisible());
        const QPoint centre = save->mapTo(w_->centralWidget(), save->rect().center());
        EXPECT_EQ(w_->centralWidget()->childAt(centre), save);
    }
}

// Each rewrite the editor makes on its own writes the whole file from the
// race: the pictures and the wind file stay named, also while a new wind
// history is being drawn.
TEST_F(CourseEditingWindow, EveryRewriteKeepsThePicturesAndTheWindFile) {
    {
        std::ofstream(root_ / "raceadmin" / kRace, std::ios::binary | std::ios::app)
            << "PIC,photos,-2.5,300\r\n";
    }
    w_->openRace(kRace);
    waitForOpening(*w_);
    CourseEditPanel* panel = w_->editPanel();
    const int wide = w_->pages()->width(), high = w_->pages()->height();
    struct Step {
        const char* name;
        std::function<void()> run;
        int windDirection;  // what the file holds after it
    };
    const Step steps[] = {
        {"Wind Direction OK",
         [&] {
             panel->findChild<QLineEdit*>("windField")->setText("200");
             panel->findChild<QPushButton*>("windOkButton")->click();
         },
         200},
        {"compass", [&] { emit w_->map()->courseWindPicked(30); }, 230},
        {"Wind Direction OK while drawing",
         [&] {
             panel->findChild<QCheckBox*>("makeWindBox")->setChecked(true);
             panel->findChild<QLineEdit*>("windField")->setText("100");
             panel->findChild<QPushButton*>("windOkButton")->click();
         },
         100},
        {"Save Wind Data",
         [&] {
             emit w_->pages()->pressed(QPoint(wide / 4, high / 2));
             panel->findChild<QPushButton*>("saveWindButton")->click();
         },
         100},
    };
    for (const auto& [name, run, windDirection] : steps) {
        run();
        const RaceModel m = reread();
        EXPECT_EQ(m.race.windDirectionInput, windDirection) << name;
        EXPECT_EQ(m.race.pictureFolderSaved, "photos") << name;
        EXPECT_FLOAT_EQ(m.race.pictureTimeOffset, -2.5f) << name;
        EXPECT_EQ(m.race.pictureSize, 300) << name;
        EXPECT_EQ(m.race.windFile, "enoshima-ct_wind.csv") << name;
    }
}

// Another race names this race's wind file too: saving asks, and No keeps
// that race's wind and saves this one's under a name of its own.
TEST_F(CourseEditingWindow, SavingOverAnotherRacesWindAsksFirst) {
    const fs::path wind = root_ / "winddat" / "enoshima-ct_wind.csv";
    const std::string before = readFileBytes(wind).value();
    { std::ofstream(root_ / "raceadmin" / "other.txt") << "WF,enoshima-ct_wind.csv\r\n"; }
    questions_->answer = false;
    w_->courseEditing()->setQuestions(questions_);
    CourseEditPanel* panel = w_->editPanel();
    panel->findChild<QCheckBox*>("makeWindBox")->setChecked(true);
    emit w_->pages()->pressed(QPoint(w_->pages()->width() / 4, w_->pages()->height() / 2));
    panel->findChild<QPushButton*>("saveWindButton")->click();
    EXPECT_EQ(questions_->asked, 1);
    EXPECT_EQ(readFileBytes(wind), before);
    EXPECT_EQ(reread().race.windFile, "enoshima-ct-2_wind.csv");
    EXPECT_TRUE(fs::exists(root_ / "winddat" / "enoshima-ct-2_wind.csv"));
}

TEST_F(CourseEditingWindow, ClosingAsksAndKeepsTheCourse) {
    const std::string before = readFileBytes(root_ / "raceadmin" / kRace).value();
    w_->close();
    EXPECT_EQ(questions_->asked, 1);
    const RaceModel m = reread();
    EXPECT_EQ(m.marks.count(), w_->session()->model.marks.count());
    EXPECT_EQ(m.race.courseLength(), w_->session()->model.race.courseLength());
    // Every line the editor does not own stays, byte for byte and in order,
    // ahead of the rewritten ones.
    std::string kept;
    for (std::size_t at = 0; at < before.size();) {
        const std::size_t end = before.find('\n', at);
        const std::string line = before.substr(at, end == std::string::npos ? end : end + 1 - at);
        const std::string key = lineKeyword(line);
        if (key != "MK" && key != "LN" && key != "CRS" && key != "WD" && key != "WF") kept += line;
        at = end == std::string::npos ? before.size() : end + 1;
    }
    const std::string after = readFileBytes(root_ / "raceadmin" / kRace).value();
    EXPECT_EQ(after.substr(0, kept.size()), kept);
    EXPECT_NE(after, before);
}

// With pictures the race file is written back at close without a question.
TEST_F(CourseEditingWindow, ClosingWithPicturesRewritesWithoutAsking) {
    PictureCatalogue pictures;
    pictures.folder = root_ / "photos";
    pictures.entries.push_back({"a.jpg", root_ / "photos" / "a.jpg", 100});
    w_->pictures()->replaceCatalogue(pictures, w_->map()->width());
    w_->editPanel()->findChild<QRadioButton*>("markPosButton")->setChecked(true);
    click(2113.5, 8367.5);
    w_->close();
    EXPECT_EQ(questions_->asked, 0);
    const RaceModel m = reread();
    EXPECT_EQ(m.marks.count(), w_->session()->model.marks.count());
    EXPECT_EQ(m.race.pictureFolderSaved, (root_ / "photos").string());
}

// One Shift-click on a mark that is also a line's end puts both into the
// course, as the map hands it over from a real press.
TEST_F(CourseEditingWindow, AShiftClickOnAMarkAndALineEndAppendsBoth) {
    CourseEditPanel* panel = w_->editPanel();
    MapView* map = w_->map();
    w_->controls()->setAutoTrace(false);
    const QPoint spot(map->width() / 2, map->height() * 2 / 3), away = spot + QPoint(150, 0);
    auto shiftClick = [&](const char* option, std::vector<QPoint> points) {
        panel->findChild<QRadioButton*>(option)->setChecked(true);
        for (const QPoint at : points)
            QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, at);
    };
    shiftClick("markPosButton", {spot});
    shiftClick("linePosButton", {spot, away});
    panel->findChild<QPushButton*>("resetCourseButton")->click();
    shiftClick("courseSetButton", {spot});
    const RaceModel& m = w_->session()->model;
    EXPECT_EQ(panel->findChild<QLineEdit*>("courseField")->text(),
              QStringLiteral("  MK%1  L%2").arg(m.marks.count()).arg(m.lines.count()));
}

TEST(SampleWind, OpensOnTheGraphPage) {
    auto w = openSample("enoshima-cup.txt");
    w->show();  // the page is drawn at the map's laid-out size
    ASSERT_FALSE(w->session()->model.windSamples.empty());
    w->actions().trigger(Command::GraphPage);
    const QImage& page = w->pages()->bitmap();

    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width() / 2; ++x) red += page.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 50);  // the wind direction history
}

}  // namespace
}  // namespace korvane

// The window's conveniences offscreen: the language switch over every
// caption, tips, help pages, attachments, the stopwatch, the weather chart
// and EXIT. Documents go to a recorder instead of the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QGroupBox>

#include "app/main_window.h"
#include "race/race_list.h"
#include "support/temp_tree.h"
#include "ui_text/caption_table.h"
#include "weather/weather_address.h"

namespace korvane {
namespace {

using testing::TempTree;

const std::filesystem::path kSample = KORVANE_SOURCE_DIR "/sample";

QApplication& app() {
    static int argc = 1;
    static char name[] = "chrome_tests";
    static char* argv[] = {name, nullptr};
    static auto* a = new QApplication(argc, argv);  // never destroyed, as in app_tests
    return *a;
}

struct Opened {
    std::vector<QUrl> urls;
    DocumentOpener recorder() {
        return [this](const QUrl& url) {
            urls.push_back(url);
            return true;
        };
    }
    std::vector<std::string> files() const {
        std::vector<std::string> out;
        for (const QUrl& u : urls) out.push_back(u.toLocalFile().toStdString());
        return out;
    }
};

std::unique_ptr<MainWindow> window(const std::filesystem::path& root, Opened& opened,
                                   const std::string& race = "") {
    app();
    auto w = std::make_unique<MainWindow>(
        StartChoice{root, race, false},
        race.empty() ? std::vector<std::string>{} : buildRaceList(root).names);
    w->controller().setRealTicksIgnored(true);
    w->resize(1280, 800);
    w->chrome()->setOpener(opened.recorder());
    if (!race.empty()) {
        w->openRace(race);
        w->controller().loader().wait();
        for (int i = 0; i < 50 && !w->session(); ++i) QCoreApplication::processEvents();
    }
    return w;
}

void hover(QWidget* w) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(w, &enter);
}

QString shownCaption(const QWidget* w, const CaptionRow& row) {
    if (row.target == CaptionTarget::ToolTip) return w->toolTip();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    return QStringLiteral("<no caption>");
}

TEST(LanguageSwitch, AFlagChangesEveryCaptionAtOnce) {
    Opened opened;
    const auto w = window(kSample, opened);
    struct Step {
        QToolButton* flag;
        Language language;
    };
    for (const Step s : {Step{w->findChild<QToolButton*>("japaneseFlag"), Language::Japanese},
                         Step{w->findChild<QToolButton*>("englishFlag"), Language::English},
                         Step{w->findChild<QToolButton*>("japaneseFlag"), Language::Japanese}}) {
        s.flag->click();
        EXPECT_EQ(w->chrome()->language(), s.language);
        for (const CaptionRow& row : captionTable()) {
            const auto named = w->findChildren<QWidget*>(QString::fromUtf8(row.objectName));
            // A row that finds no widget would leave its caption in the
            // other language without anyone noticing.
            EXPECT_FALSE(named.isEmpty()) << "no widget named " << row.objectName;
            for (const QWidget* c : named)
                EXPECT_EQ(shownCaption(c, row), QString::fromUtf8(captionText(row, s.language)))
                    << row.objectName;
        }
        // Only the other language's flag is offered.
        EXPECT_EQ(w->findChild<QToolButton*>("japaneseFlag")->isHidden(),
                  s.language == Language::Japanese);
        EXPECT_EQ(w->findChild<QToolButton*>("englishFlag")->isHidden(),
                  s.language == Language::English);
    }
}

TEST(Tips, BesideTheControlAndOffButForHelp) {
    Opened opened;
    const auto w = window(kSample, opened);
    w->show();  // laid out, so the tip has room beside the control
    QCoreApplication::processEvents();
    w->chrome()->setLanguage(Language::English);
    QLabel* box = w->chrome()->tips()->box();
    QCheckBox* showName = w->controls()->findChild<QCheckBox*>("showNameBox");
    hover(showName);
    ASSERT_FALSE(box->isHidden());
    EXPECT_EQ(box->text(), QStringLiteral("Show Boat Name"));
    const QPoint at = showName->mapTo(w->centralWidget(), QPoint(0, 0));
    EXPECT_EQ(box->geometry(), QRect(at.x() - 225, at.y(), 220, 20));
    w->findChild<QToolButton*>("japaneseFlag")->click();
    hover(showName);
    EXPECT_EQ(box->text(), QStringLiteral("艇名を表示します"));
    hover(w->controls()->findChild<QCheckBox*>("autoTraceBox"));  // puts tips away
    EXPECT_TRUE(box->isHidden());

    w->controls()->setTips(false);
    for (QWidget* c : std::initializer_list<QWidget*>{
             showName, w->controls()->findChild<QPushButton*>("showButton"),
             w->controls()->findChild<QCheckBox*>("layLineBox")})
        hover(c);
    EXPECT_TRUE(box->isHidden());
    hover(w->findChild<QPushButton*>("helpButton"));
    EXPECT_FALSE(box->isHidden());
    EXPECT_EQ(box->text(), QStringLiteral("  HELPを表示します"));
}

TEST(Help, TheLanguageOnShowFirstThenTheOther) {
    TempTree tree;
    tree.write("help/index.html", "<html></html>");
    Opened opened;
    const auto w = window(tree.root(), opened);
    QPushButton* help = w->findChild<QPushButton*>("helpButton");
    w->chrome()->setLanguage(Language::English);
    help->click();  // no English page: the Japanese one
    tree.write("help-e/index.html", "<html></html>");
    help->click();
    w->chrome()->setLanguage(Language::Japanese);
    help->click();
    const auto root = tree.root().string();
    EXPECT_EQ(opened.files(),
              (std::vector<std::string>{root + "/help/index.html", root + "/help-e/index.html",
                                        root + "/help/index.html"}));
    std::filesystem::remove_all(tree.root() / "help");
    std::filesystem::remove_all(tree.root() / "help-e");
    help->click();
    EXPECT_EQ(opened.urls.size(), 3u);  // nothing to open: nothing happens
}

// Without the pages "?" and the help label would lead nowhere.
TEST(Help, OfferedOnlyWhereThePagesAre) {
    TempTree tree;
    Opened opened;
    const auto w = window(tree.root(), opened);
    w->show();
    QCoreApplication::processEvents();
    for (const bool pages : {false, true}) {
        if (pages) tree.write("help/index.html", "<html></html>");
        w->resize(w->size() + QSize(pages ? 10 : 0, 0));  // laid out again
        QCoreApplication::processEvents();
        for (const char* name : {"helpButton", "helpLabel"})
            EXPECT_EQ(w->findChild<QWidget*>(name)->isVisible(), pages) << name;
    }
}

TEST(Attachments, OneOpensAtOnceTwoShowTheListASecondPressCloses) {
    TempTree tree;
    tree.write("attachment/notice.pdf", "%PDF");
    tree.write("attachment/results.csv", "1");
    Opened opened;
    app();
    AttachmentList list(opened.recorder());
    const std::string dir = (tree.root() / "attachment").string();

    list.setDocuments(tree.root(), {"notice.pdf"});
    list.press();
    EXPECT_TRUE(list.isHidden());
    EXPECT_EQ(opened.files(), std::vector<std::string>{dir + "/notice.pdf"});

    list.setDocuments(tree.root(), {"notice.pdf", "results.csv", "../escape.txt"});
    list.press();
    ASSERT_FALSE(list.isHidden());
    EXPECT_EQ(list.count(), 3);
    list.press();  // closes without opening
    EXPECT_TRUE(list.isHidden());
    EXPECT_EQ(opened.urls.size(), 1u);
    list.press();
    emit list.itemClicked(list.item(1));
    EXPECT_TRUE(list.isHidden());
    list.press();
    emit list.itemClicked(list.item(2));  // outside the folder: never handed on
    EXPECT_EQ(opened.files(),
              (std::vector<std::string>{dir + "/notice.pdf", dir + "/results.csv"}));

    list.setDocuments(tree.root(), {});
    list.press();
    EXPECT_EQ(opened.urls.size(), 2u);
}

// A race without attachments keeps the button: a press stops the replay and
// beeps. The list stands above the button, clear of EXIT beside it.
TEST(Attachments, TheButtonStopsAndBeepsWithoutAnyAndTheListStandsAboveIt) {
    Opened opened;
    const auto w = window(kSample, opened, "enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    ASSERT_TRUE(w->session()->model.race.attachments.empty());
    w->show();
    QCoreApplication::processEvents();
    QWidget* central = w->centralWidget();
    auto* button = w->controls()->findChild<QPushButton*>("attachmentsButton");
    const QRect at(button->mapTo(central, QPoint(0, 0)), button->size());
    ASSERT_TRUE(button->isEnabled());
    ASSERT_EQ(central->childAt(at.center()), button);
    w->actions().trigger(Command::PlayForward);
    ASSERT_NE(w->clock().transport(), Transport::Stopped);
    const int beeps = w->beepCount();
    button->click();
    EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    EXPECT_EQ(w->beepCount(), beeps + 1);
    EXPECT_TRUE(opened.urls.empty());

    const QRect list = w->chrome()->attachments()->geometry();
    EXPECT_EQ(list.y() + list.height(), at.y() - 3);
    auto* exit = w->controls()->findChild<QPushButton*>("exitButton");
    EXPECT_FALSE(list.intersects(QRect(exit->mapTo(central, QPoint(0, 0)), exit->size())));
}

// Jumps the stopped replay to a race second.
void jumpTo(MainWindow& w, double seconds) {
    w.actions().trigger(Command::Stop);
    w.jumpPanel()->showMoment(w.session()->model.race.start + seconds / 86400);
    w.jumpPanel()->findChild<QPushButton*>("jumpButton")->click();
}

TEST(Stopwatch, MeasuresRaceTimeBetweenTwoMoments) {
    Opened opened;
    const auto w = window(kSample, opened, "enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    w->show();
    QCoreApplication::processEvents();
    MainWindow* p = w.get();
    EXPECT_TRUE(p->findChild<QLabel*>("stopwatchReadout")->isHidden());
    jumpTo(*w, 600);
    p->findChild<QPushButton*>("stopwatchButton")->click();
    EXPECT_EQ(p->findChild<QPushButton*>("stopwatchButton")->text(), QStringLiteral("STOP"));
    EXPECT_FALSE(p->findChild<QLabel*>("stopwatchReadout")->isHidden());
    // Over the map's bottom right corner, the read-out above the button.
    EXPECT_EQ(p->findChild<QPushButton*>("stopwatchButton")->geometry(),
              w->layout().stopwatchButton);
    EXPECT_EQ(p->findChild<QLabel*>("stopwatchReadout")->geometry(), w->layout().stopwatchClock);
    EXPECT_LT(w->layout().stopwatchButton.right(), w->map()->width());
    jumpTo(*w, 725);
    EXPECT_EQ(p->findChild<QLabel*>("stopwatchReadout")->text(), QStringLiteral("00:02:05"));
    p->findChild<QPushButton*>("stopwatchButton")->click();
    jumpTo(*w, 900);
    EXPECT_EQ(p->findChild<QPushButton*>("stopwatchButton")->text(), QStringLiteral("TIMER/OFF"));
    EXPECT_EQ(p->findChild<QLabel*>("stopwatchReadout")->text(), QStringLiteral("00:02:05"));
    p->findChild<QPushButton*>("stopwatchButton")->click();
    EXPECT_EQ(p->findChild<QPushButton*>("stopwatchButton")->text(), QStringLiteral("TIMER/ON"));
    EXPECT_TRUE(p->findChild<QLabel*>("stopwatchReadout")->isHidden());
}

TEST(WeatherChart, PastPageOfTheNearestAreaOrTheMonthsChart) {
    Opened opened;
    const auto w = window(kSample, opened, "enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    QPushButton* weather = w->controls()->findChild<QPushButton*>("weatherButton");
    EXPECT_TRUE(weather->isEnabled());
    const Timestamp start = w->session()->model.race.start;  // 2024/05/12 off Enoshima
    for (const double age : {10.0, 800.0}) {
        w->actions().trigger(Command::PlayForward);
        w->chrome()->localClock().setFixed(start + age);
        weather->click();
        EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    }
    ASSERT_EQ(opened.urls.size(), 2u);
    EXPECT_EQ(opened.urls[0].toString().toStdString(),
              std::string(kPastWeatherBase) + "14/4610/detail.html?c=2024&m=5&d=12");
    EXPECT_EQ(opened.urls[1].toString().toStdString(),
              std::string(kDailyChartBase) + "2024/2405.pdf");
}

TEST(Exit, StopsTheTimersAndCloses) {
    Opened opened;
    const auto w = window(kSample, opened, "enoshima-cup.txt");
    ASSERT_NE(w->session(), nullptr);
    w->show();
    ASSERT_TRUE(w->controller().timersActive());
    w->actions().trigger(Command::Exit);
    EXPECT_FALSE(w->controller().timersActive());
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace korvane

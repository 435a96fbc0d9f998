// What the window hands to other programs: the screen shot, the retouch
// picture and the two KML exports, written into the documents folder and
// opened with the desktop's handler (replaced here by a recorder).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/desktop.h"
#include "app/picture_exports.h"
#include "app/window_fixture.h"
#include "base/file_io.h"
#include "export/kml_export.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

class WindowExports : public ::testing::Test {
  protected:
    void SetUp() override {
        setDocumentsFolderForTests(documents.root());
        setDesktopOpenerForTests([this](const QString& path) {
            opened.push_back(path.toStdString());
            return true;
        });
    }
    void TearDown() override {
        setDesktopOpenerForTests({});
        setDesktopHandlerQueryForTests({});
    }

    // Answers the hide question "no" and counts the questions.
    void answerNo(MainWindow& w) {
        w.googleEarth()->setAskYesNoForTests([this](const QString&) {
            ++asked;
            return false;
        });
    }

    void press(QWidget* widget, Qt::MouseButton button) {
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5),
                         widget->mapToGlobal(QPointF(5, 5)), button, button, Qt::NoModifier);
        QApplication::sendEvent(widget, &down);
    }

    testing::TempTree documents;
    std::vector<std::string> opened;
    int asked = 0;
};

TEST_F(WindowExports, TheSKeyAndTheScrLabelSaveTheMapAreaAndOpenIt) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();  // the shot copies what is on screen
    const auto shot = documents.root() / kScreenShotFile;
    for (int way = 0; way < 2; ++way) {
        std::filesystem::remove(shot);
        if (way == 0) {
            QKeyEvent s(QEvent::KeyPress, Qt::Key_S, Qt::ShiftModifier, QStringLiteral("S"));
            QApplication::sendEvent(w.get(), &s);
        } else {
            w->actions().trigger(Command::ScreenShot);
        }
        const QImage saved(QString::fromStdString(shot.string()), "BMP");
        ASSERT_FALSE(saved.isNull()) << way;
        EXPECT_EQ(saved.size(), w->map()->size());
        ASSERT_EQ(opened.size(), static_cast<std::size_t>(way + 1));
        EXPECT_EQ(opened.back(), shot.string());
    }
}

// The window sees its keys first: a time field or the race list with the
// focus neither swallows them nor receives them.
TEST_F(WindowExports, WindowKeysWorkWhateverHasTheFocus) {
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();
    w->actions().trigger(Command::Stop);  // shows the JUMP panel's time field
    auto* timeField = w->jumpPanel()->findChild<QLineEdit*>("jumpTimeField");
    auto* raceList = w->controls()->findChild<QComboBox*>("raceList");
    ASSERT_TRUE(timeField && raceList);
    for (QWidget* focus : {static_cast<QWidget*>(timeField), static_cast<QWidget*>(raceList)}) {
        focus->setFocus();
        raceList->lineEdit()->end(false);
        const QString timeBefore = timeField->text();
        const QString raceBefore = raceList->currentText();
        const std::size_t shotsBefore = opened.size();
        const bool diagnosticsShown = w->diagnostics()->isVisible();
        QTest::keyClick(focus, Qt::Key_S);
        QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(opened.size(), shotsBefore + 1) << focus->metaObject()->className();
        EXPECT_NE(w->diagnostics()->isVisible(), diagnosticsShown);
        EXPECT_EQ(timeField->text(), timeBefore);
        // The race list is a text field too, which keeps the letter typed.
        EXPECT_EQ(raceList->currentText(),
                  focus == raceList ? raceBefore + QStringLiteral("s") : raceBefore);
    }
    QTest::keyClick(timeField, Qt::Key_E, Qt::ShiftModifier | Qt::ControlModifier);
    waitForOpening(*w);
    EXPECT_TRUE(w->controller().editMode());
}

TEST_F(WindowExports, RetouchSavesTheFrameAsItIsDrawnNow) {
    const auto w = openSample();
    w->controller().frameTick(600);
    w->saveRetouchPicture();
    const QImage saved(QString::fromStdString((documents.root() / kRetouchFile).string()), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), w->map()->frame());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(WindowExports, LeftPressWritesTheWholeRaceRightPressThePresentScene) {
    const auto w = openSample();
    answerNo(*w);
    QPushButton* button = w->controls()->findChild<QPushButton*>("googleEarthButton");
    ASSERT_TRUE(button->isEnabled());
    press(button, Qt::LeftButton);
    press(button, Qt::RightButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], (documents.root() / kWholeRaceKmlFile).string());
    EXPECT_EQ(opened[1], (documents.root() / kPresentSceneKmlFile).string());
    std::ifstream whole(opened[0]);
    std::stringstream text;
    text << whole.rdbuf();
    EXPECT_NE(text.str().find("<kml"), std::string::npos);
    // The present scene is taken at the replay time, so the press stops it.
    EXPECT_EQ(w->clock().transport(), Transport::Stopped);
    // The whole-race file is scratch for the viewer and goes with the window.
    w->close();
    EXPECT_FALSE(std::filesystem::exists(opened[0]));
    EXPECT_TRUE(std::filesystem::exists(opened[1]));
}

// The globe viewer's descriptions speak the window's language.
TEST_F(WindowExports, TheSceneIsDescribedInTheWindowsLanguage) {
    const auto w = openSample();
    answerNo(*w);
    const std::pair<Language, const char*> cases[] = {{Language::English, "<li>Date Time："},
                                                      {Language::Japanese, "<li>日時："}};
    for (const auto& [language, first] : cases) {
        w->chrome()->setLanguage(language);
        press(w->controls()->findChild<QPushButton*>("googleEarthButton"), Qt::RightButton);
        const auto scene = readFileBytes(documents.root() / kPresentSceneKmlFile);
        ASSERT_TRUE(scene);
        EXPECT_NE(scene->find(first), std::string::npos) << first;
    }
}

TEST_F(WindowExports, TheHideQuestionIsAskedOnlyWithHiddenBoatsAndItsAnswerHolds) {
    testing::TempTree tree;
    std::filesystem::copy(kSample, tree.root(), std::filesystem::copy_options::recursive);
    const auto race = tree.root() / "raceadmin" / "enoshima-cup.txt";
    std::ifstream in(race, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    // The sample hides one boat; the other tree shows it.
    const std::string hiddenFlag = "1.020,0,1";
    const std::size_t flag = text.find(hiddenFlag);
    ASSERT_NE(flag, std::string::npos);
    std::string shown = text;
    shown.replace(flag, hiddenFlag.size(), "1.020,0,0");
    for (const bool withHidden : {false, true}) {
        tree.write("raceadmin/enoshima-cup.txt", withHidden ? text : shown);
        const auto w = openSample("enoshima-cup.txt", tree.root());
        ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
        ASSERT_EQ(w->session()->model.hiddenBoatCount() > 0, withHidden);
        w->chrome()->setLanguage(Language::Japanese);
        int questions = 0;
        w->googleEarth()->setAskYesNoForTests([&](const QString& q) {
            ++questions;
            EXPECT_TRUE(q.startsWith(QStringLiteral("フォーカスの外れた艇を隠しますか？")));
            return true;
        });
        w->googleEarth()->run(false);
        w->googleEarth()->run(true);
        // Asked at every press while a boat is hidden; never without one,
        // and then the first answer ("no") stands.
        EXPECT_EQ(questions, withHidden ? 2 : 0);
        EXPECT_EQ(w->googleEarth()->hideUnfocusedBoats(), withHidden);
    }
}

TEST_F(WindowExports, AnUnwritableDocumentsFolderOpensNothing) {
    const auto w = openSample();
    answerNo(*w);
    setDocumentsFolderForTests(documents.root() / "missing" / "deeper");
    QString error;
    QObject::connect(w->googleEarth(), &GoogleEarthExport::failed,
                     [&](const QString& e) { error = e; });
    w->googleEarth()->run(false);
    EXPECT_FALSE(error.isEmpty());
    w->saveRetouchPicture();
    EXPECT_TRUE(opened.empty());
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box->inherits("QMessageBox")) box->close();
}

struct StatusCase {
    const char* name;
    int exportKind;  // 0 screen shot, 1 retouch, 2 whole race KML
    bool opens;      // the opener starts
    bool handler;    // the desktop has a program for the kind
    Language language;
    const char* file;
    const char* expected;  // "%1": the file's path
};

// Every export says where the file went, and says so plainly when the
// desktop cannot show it.
TEST_F(WindowExports, EachExportSaysWhereItWent) {
    const StatusCase cases[] = {
        {"shot", 0, true, true, Language::English, kScreenShotFile, "Saved to %1"},
        {"retouch", 1, true, true, Language::Japanese, kRetouchFile, "%1 に保存しました"},
        {"kml, no handler", 2, true, false, Language::English, kWholeRaceKmlFile,
         "Saved to %1 (no program is set to open .kml files)"},
        {"no opener", 0, false, true, Language::Japanese, kScreenShotFile,
         "%1 に保存しました（.bmp ファイルを開くプログラムが設定されていません）"},
    };
    const auto w = openSample();
    answerNo(*w);
    w->show();
    for (const StatusCase& c : cases) {
        setDesktopOpenerForTests([&c](const QString&) { return c.opens; });
        setDesktopHandlerQueryForTests([&c](const std::filesystem::path&) { return c.handler; });
        w->chrome()->setLanguage(c.language);
        if (c.exportKind == 0) w->takeScreenShot();
        if (c.exportKind == 1) w->saveRetouchPicture();
        if (c.exportKind == 2) w->googleEarth()->run(false);
        const QString path = QString::fromStdString((documents.root() / c.file).string());
        EXPECT_EQ(w->exportStatus().text(), QString::fromUtf8(c.expected).arg(path)) << c.name;
        EXPECT_TRUE(std::filesystem::exists(documents.root() / c.file)) << c.name;
    }
}

// What an opening warned about shows in the window too, in its language,
// and a race without a warning says nothing.
TEST_F(WindowExports, AnOpeningsWarningsShowInTheStatusLine) {
    testing::TempTree tree;
    std::filesystem::copy(kSample, tree.root(), std::filesystem::copy_options::recursive);
    tree.write("raceadmin/enoshima-cup.txt.passings", "PIN,1,2,300\nSKIP THIS\n");
    for (const Language language : {Language::English, Language::Japanese}) {
        const auto w =
            makeWindow({tree.root(), "enoshima-cup.txt", false}, buildRaceList(tree.root()).names);
        w->chrome()->setLanguage(language);
        w->openRace("enoshima-cup.txt");
        waitForOpening(*w);
        ASSERT_NE(w->session(), nullptr) << w->lastError().toStdString();
        ASSERT_EQ(w->session()->warnings.size(), 1u);
        w->show();
        const QString first = QString::fromStdString(w->session()->warnings.front());
        EXPECT_EQ(w->exportStatus().text(),
                  QString::fromUtf8(
                      pick(language, "読み込みの注意 %1 件: %2", "Warnings while opening (%1): %2"))
                      .arg(1)
                      .arg(first));
    }
    const auto clean = openSample();
    clean->show();
    EXPECT_TRUE(clean->exportStatus().text().isEmpty());
}

}  // namespace
}  // namespace korvane

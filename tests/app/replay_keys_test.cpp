// The replay keys: each reaches its command whatever has the focus, and the
// focused text field never sees it, except that Space, + and - are the race
// list's characters of a name; the JUMP field takes typed times.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "app/desktop.h"
#include "app/replay_keys.h"
#include "app/typed_time.h"
#include "app/window_fixture.h"
#include "replay/speed_bar.h"

namespace korvane {
namespace {

// Counts the presses of one key that reach the widget it watches.
class KeyCounter : public QObject {
  public:
    explicit KeyCounter(int key) : key_(key) {}
    int presses = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_)
            ++presses;
        return false;
    }

  private:
    int key_;
};

TEST(ReplayKeys, EveryKeyWorksWithTheFocusInATextFieldThatNeverSeesIt) {
    std::vector<QString> opened;
    setDesktopOpenerForTests([&opened](const QString& path) {
        opened.push_back(path);
        return true;
    });
    const auto w = openSample();
    ASSERT_NE(w->session(), nullptr);
    w->show();
    ReplayController& c = w->controller();
    const auto race = [&w] { return w->session()->model.race; };
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<bool()> done;
        bool character = false;  // typed into free text
    };
    double before = 0;
    int speedBefore = 0;
    std::string raceBefore;
    const Case cases[] = {
        {"Space plays",
         Qt::Key_Space,
         {},
         [&] { return c.clock().transport() != Transport::Stopped; },
         true},
        {"Right", Qt::Key_Right, {}, [&] { return c.clock().timeSeconds() == before + 1; }},
        {"Left", Qt::Key_Left, {}, [&] { return c.clock().timeSeconds() == before - 1; }},
        {"Shift+Right", Qt::Key_Right, Qt::ShiftModifier,
         [&] { return c.clock().timeSeconds() == before + 30; }},
        {"Shift+Left", Qt::Key_Left, Qt::ShiftModifier,
         [&] { return c.clock().timeSeconds() == before - 30; }},
        {"Home", Qt::Key_Home, {}, [&] { return c.clock().timeSeconds() == race().timelineBegin; }},
        {"End", Qt::Key_End, {}, [&] { return c.clock().timeSeconds() == race().timelineEnd; }},
        {"+ (typed with Shift)", Qt::Key_Plus, Qt::ShiftModifier,
         [&] { return c.clock().speed() > speedBefore; }, true},
        {"keypad -", Qt::Key_Minus, Qt::KeypadModifier,
         [&] { return c.clock().speed() < speedBefore; }, true},
        {"F1", Qt::Key_F1, {}, [&] { return opened.size() == 1; }},
        {"Page Down", Qt::Key_PageDown, {}, [&] { return c.raceFile() != raceBefore; }},
        {"Page Up", Qt::Key_PageUp, {}, [&] { return c.raceFile() != raceBefore; }},
    };
    auto* timeField = w->jumpPanel()->findChild<QLineEdit*>("jumpTimeField");
    auto* raceList = w->controls()->findChild<QComboBox*>("raceList");
    ASSERT_TRUE(timeField && raceList);
    for (QWidget* focus : {static_cast<QWidget*>(timeField), static_cast<QWidget*>(raceList)}) {
        for (const Case& k : cases) {
            const std::string what =
                std::string(k.name) + " in " + focus->objectName().toStdString();
            c.stop();  // the JUMP panel and its field show
            c.jumpTo(600);
            c.setSpeedBarPosition(kSpeedBarDefault, true);
            opened.clear();
            before = c.clock().timeSeconds();
            speedBefore = c.clock().speed();
            raceBefore = c.raceFile();
            focus->setFocus();
            KeyCounter counter(k.key);
            focus->installEventFilter(&counter);
            const QString listText = raceList->currentText();
            QTest::keyClick(focus, k.key, k.modifiers);
            focus->removeEventFilter(&counter);
            waitForOpening(*w);
            // Either the command or the text field has the key, never both.
            const bool typed = k.character && focus == raceList;
            EXPECT_EQ(k.done(), !typed) << what;
            EXPECT_EQ(counter.presses, typed ? 1 : 0) << what;
            if (typed) {
                EXPECT_EQ(raceList->currentText().size(), listText.size() + 1) << what;
                raceList->setEditText(listText);
            } else if (k.key != Qt::Key_PageDown && k.key != Qt::Key_PageUp) {
                EXPECT_EQ(raceList->currentText(), listText) << what;
            }
        }
    }
    setDesktopOpenerForTests({});
}

// The key table of the README is what the program does: every key of a
// window-wide action is listed, and nothing else is.
TEST(ReplayKeys, ReadmeKeyTableMatchesTheActions) {
    std::ifstream in(KORVANE_SOURCE_DIR "/README.md");
    std::stringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const std::size_t start = readme.find("### Keys");
    ASSERT_NE(start, std::string::npos);
    std::set<std::string> listed;
    std::istringstream section(
        readme.substr(start, readme.find("\n\n", readme.find("| key", start)) - start));
    for (std::string line; std::getline(section, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::string cell = line.substr(0, line.find('|', 1));
        for (std::size_t a = cell.find('`'); a != std::string::npos;) {
            const std::size_t b = cell.find('`', a + 1);
            listed.insert(cell.substr(a + 1, b - a - 1));
            a = cell.find('`', b + 1);
        }
    }
    app();
    QWidget window;
    const WindowActions actions(&window);
    std::set<std::string> program;
    for (int i = 0; i < kCommandCount; ++i)
        if (WindowActions::windowWide(static_cast<Command>(i)))
            program.insert(actions[static_cast<Command>(i)]
                               ->shortcut()
                               .toString(QKeySequence::PortableText)
                               .toStdString());
    EXPECT_EQ(listed, program);
}

TEST(ReplayKeys, PlusAndMinusAlwaysChangeTheSpeedUntilTheEndsOfTheBar) {
    for (int p = kSpeedBarMin; p <= kSpeedBarMax; ++p) {
        const int up = speedStepPosition(p, 1), down = speedStepPosition(p, -1);
        if (p < kSpeedBarMax && speedForBarPosition(p) < kMaxReplaySpeed) {
            EXPECT_GT(speedForBarPosition(up), speedForBarPosition(p)) << p;
        }
        if (speedForBarPosition(p) > kMinReplaySpeed) {
            EXPECT_LT(speedForBarPosition(down), speedForBarPosition(p)) << p;
        }
        // One step, never two: nothing lies between the speed and the next.
        for (int q = p; q <= up; ++q)
            EXPECT_TRUE(speedForBarPosition(q) == speedForBarPosition(p) || q == up) << p;
    }
    EXPECT_EQ(speedStepPosition(kSpeedBarMax, 1), kSpeedBarMax);
    EXPECT_EQ(speedStepPosition(kSpeedBarMin, -1), kSpeedBarMin);
}

TEST(TypedTime, TakesTheThreeWaysOfTypingATimeAndNothingElse) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"13:05:09", 13 * 3600 + 5 * 60 + 9},
        {" 7:5:9 ", 7 * 3600 + 5 * 60 + 9},
        {"130509", 13 * 3600 + 5 * 60 + 9},
        {"05:09", 10 * 3600 + 5 * 60 + 9},  // within the hour on show (10)
        {"00:00:00", 0},
        {"23:59:59", 86399},
        {"24:00:00", std::nullopt},
        {"12:60:00", std::nullopt},
        {"12:00:60", std::nullopt},
        {"1305", std::nullopt},
        {"1305091", std::nullopt},
        {"13:05:09:00", std::nullopt},
        {"13::09", std::nullopt},
        {"+1:05:09", std::nullopt},
        {"1a:05:09", std::nullopt},
        {"", std::nullopt},
        {":", std::nullopt},
    };
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(parseTypedTime(QString::fromUtf8(text), 10), seconds) << text;
}

TEST(TypedTime, EnterInTheJumpFieldJumpsToTheTypedTime) {
    const auto w = openSample();
    ReplayController& c = w->controller();
    c.stop();
    c.jumpTo(0);  // the gun: the field shows the start's clock time
    auto* field = w->jumpPanel()->findChild<QLineEdit*>("jumpTimeField");
    ASSERT_NE(field, nullptr);
    const QString gun = field->text();
    const QTime start = QTime::fromString(gun, QStringLiteral("HH:mm:ss"));
    ASSERT_TRUE(start.isValid()) << gun.toStdString();
    const QTime later = start.addSecs(125);
    const QString typed[] = {later.toString(QStringLiteral("HHmmss")),
                             later.toString(QStringLiteral("H:mm:ss"))};
    for (const QString& text : typed) {
        c.jumpTo(0);
        field->setText(QString());
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(c.clock().timeSeconds(), 125) << text.toStdString();
    }
    // No time: no jump, and the text stays to be put right.
    c.jumpTo(0);
    field->setText(QStringLiteral("99:99"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(c.clock().timeSeconds(), 0);
    EXPECT_EQ(field->text(), QStringLiteral("99:99"));
}

}  // namespace
}  // namespace korvane

#include "app/window_actions.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "ui_text/tip_table.h"

namespace korvane {

namespace {

struct CommandRow {
    Command command;
    const char* name;  // the control's objectName, and so its tip row
    const char* text;
    QKeySequence shortcut;
    bool windowWide;
    bool checkable;
};

const CommandRow* commandRows() {
    static const CommandRow rows[kCommandCount] = {
        {Command::PlayForward, "playForwardButton", "▲", {}, false, false},
        {Command::Stop, "stopButton", "■", {}, false, false},
        {Command::PlayBackward, "playBackwardButton", "▼", {}, false, false},
        {Command::StepForward, "stepForwardButton", "+", {}, false, false},
        {Command::StepBackward, "stepBackwardButton", "−", {}, false, false},
        {Command::JumpToStart, "jumpToStartButton", "Start", {}, false, false},
        {Command::TrackPage, "trackPageButton", "Track", {}, false, true},
        {Command::GraphPage, "graphPageButton", "Graph", {}, false, true},
        {Command::AnalysisPage, "analysisPageButton", "Anlys", {}, false, true},
        {Command::ScreenShot, "screenShotLabel", "SCR", QKeySequence(Qt::Key_S), true, false},
        {Command::Retouch, "retouchButton", "Retouch", {}, false, false},
        {Command::GoogleEarth, "googleEarthButton", "Google Earth", {}, false, false},
        {Command::EditMode, "editModeAction", "Edit course",
         QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_E), true, false},
        {Command::Diagnostics, "diagnosticsAction", "Diagnostics",
         QKeySequence(Qt::CTRL | Qt::Key_V), true, false},
        {Command::Japanese, "japaneseFlag", "日本語", {}, false, false},
        {Command::English, "englishFlag", "English", {}, false, false},
        {Command::Video, "videoButton", "Video", {}, false, false},
        {Command::Exit, "exitButton", "EXIT", {}, false, false},
    };
    return rows;
}

const CommandRow& rowOf(Command command) {
    return commandRows()[static_cast<int>(command)];
}

}  // namespace

WindowActions::WindowActions(QWidget* window) : QObject(window), window_(window) {
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandRow& row = commandRows()[i];
        auto* a = new QAction(QString::fromUtf8(row.text), this);
        a->setObjectName(QLatin1String(row.name) + QStringLiteral("Action"));
        a->setCheckable(row.checkable);
        a->setShortcut(row.shortcut);
        if (const TipRow* tip = findTip(row.name)) a->setToolTip(QString::fromUtf8(tip->english));
        actions_[static_cast<std::size_t>(i)] = a;
    }
    // The page choices are one choice of three.
    auto* pages = new QActionGroup(this);
    for (Command c : {Command::TrackPage, Command::GraphPage, Command::AnalysisPage})
        pages->addAction((*this)[c]);
    (*this)[Command::TrackPage]->setChecked(true);
    qApp->installEventFilter(this);
}

WindowActions::~WindowActions() {
    qApp->removeEventFilter(this);
}

bool WindowActions::windowWide(Command command) {
    return rowOf(command).windowWide;
}

QAction* WindowActions::windowWideMatch(const QObject* target, const QKeyEvent& key) const {
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (!widget || widget->window() != window_ || key.isAutoRepeat()) return nullptr;
    const auto find = [this](const QKeySequence& pressed) -> QAction* {
        for (int i = 0; i < kCommandCount; ++i) {
            QAction* a = actions_[static_cast<std::size_t>(i)];
            if (commandRows()[i].windowWide && a->isEnabled() && a->shortcut() == pressed) return a;
        }
        return nullptr;
    };
    if (QAction* exact = find(QKeySequence(key.keyCombination()))) return exact;
    // A letter is the same key in capitals.
    const bool letter = key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
    if (letter && key.modifiers().testFlag(Qt::ShiftModifier))
        return find(QKeySequence(QKeyCombination(key.modifiers() & ~Qt::ShiftModifier,
                                                 static_cast<Qt::Key>(key.key()))));
    return nullptr;
}

bool WindowActions::eventFilter(QObject* watched, QEvent* event) {
    // The override is claimed so that no other shortcut takes the key; the
    // press itself then triggers the action instead of reaching the widget.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (QAction* a = windowWideMatch(watched, *key)) {
            key->accept();
            if (event->type() != QEvent::KeyPress) return true;
            a->trigger();
            // The window previews the keys: a text field (the race list,
            // where a race added later is typed) still takes its letter.
            const auto* list = qobject_cast<const QComboBox*>(watched);
            return !(qobject_cast<const QLineEdit*>(watched) || (list && list->isEditable()));
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace korvane

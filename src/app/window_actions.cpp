#include "app/window_actions.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
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
        {Command::StepForward, "stepForwardButton", "+", QKeySequence(Qt::Key_Right), true, false},
        {Command::StepBackward, "stepBackwardButton", "−", QKeySequence(Qt::Key_Left), true, false},
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
        {Command::PlayOrStop, "playOrStopAction", "Play/Stop", QKeySequence(Qt::Key_Space), true,
         false},
        {Command::Back30Seconds, "back30SecondsAction", "−30 s",
         QKeySequence(Qt::SHIFT | Qt::Key_Left), true, false},
        {Command::Forward30Seconds, "forward30SecondsAction", "+30 s",
         QKeySequence(Qt::SHIFT | Qt::Key_Right), true, false},
        {Command::GoToBeginning, "goToBeginningAction", "Beginning", QKeySequence(Qt::Key_Home),
         true, false},
        {Command::GoToEnd, "goToEndAction", "End", QKeySequence(Qt::Key_End), true, false},
        {Command::FasterSpeed, "fasterSpeedAction", "Faster", QKeySequence(Qt::Key_Plus), true,
         false},
        {Command::SlowerSpeed, "slowerSpeedAction", "Slower", QKeySequence(Qt::Key_Minus), true,
         false},
        {Command::PreviousRace, "previousRaceAction", "Previous race", QKeySequence(Qt::Key_PageUp),
         true, false},
        {Command::NextRace, "nextRaceAction", "Next race", QKeySequence(Qt::Key_PageDown), true,
         false},
        {Command::Help, "helpAction", "Help", QKeySequence(Qt::Key_F1), true, false},
    };
    return rows;
}

const CommandRow& rowOf(Command command) {
    return commandRows()[static_cast<int>(command)];
}

// Whether `target` is a text field that would take the character `key`
// types: the race list's free text, a field whose validator lets it in.
bool textFieldTakes(const QObject* target, const QKeyEvent& key) {
    const QString typed = key.text();
    if (typed.isEmpty() || !typed.front().isPrint() ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QLineEdit* edit = qobject_cast<const QLineEdit*>(target);
    if (const auto* list = qobject_cast<const QComboBox*>(target); list && list->isEditable())
        edit = list->lineEdit();
    if (!edit || edit->isReadOnly()) return false;
    const QValidator* validator = edit->validator();
    if (!validator) return true;
    QString text = edit->text();
    int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    text.replace(at, edit->hasSelectedText() ? edit->selectedText().size() : 0, typed);
    at += typed.size();
    return validator->validate(text, at) != QValidator::Invalid;
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

bool WindowActions::keptFromFocus(Command command) {
    // The keys of the original window (S, Ctrl+V, Shift+Ctrl+E) reach a
    // text field too, as a previewing window passes them on; a replay key
    // typed into the race list or the JUMP field would both move the replay
    // and edit the text.
    return windowWide(command) && command != Command::ScreenShot && command != Command::EditMode &&
           command != Command::Diagnostics;
}

bool WindowActions::repeatsWhenHeld(Command command) {
    switch (command) {
        case Command::StepForward:
        case Command::StepBackward:
        case Command::Back30Seconds:
        case Command::Forward30Seconds:
        case Command::FasterSpeed:
        case Command::SlowerSpeed:
            return true;
        default:
            return false;
    }
}

std::optional<Command> WindowActions::windowWideMatch(const QObject* target,
                                                      const QKeyEvent& key) const {
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (!widget || widget->window() != window_) return std::nullopt;
    const auto find = [this](const QKeySequence& pressed) -> std::optional<Command> {
        for (int i = 0; i < kCommandCount; ++i) {
            const QAction* a = actions_[static_cast<std::size_t>(i)];
            if (commandRows()[i].windowWide && a->isEnabled() && a->shortcut() == pressed)
                return static_cast<Command>(i);
        }
        return std::nullopt;
    };
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const auto k = static_cast<Qt::Key>(key.key());
    std::optional<Command> match = find(QKeySequence(QKeyCombination(mods, k)));
    // A letter is the same key in capitals; "+" needs Shift on most layouts.
    const bool letter = k >= Qt::Key_A && k <= Qt::Key_Z;
    if (!match && (letter || k == Qt::Key_Plus) && mods.testFlag(Qt::ShiftModifier))
        match = find(QKeySequence(QKeyCombination(mods & ~Qt::ShiftModifier, k)));
    // A held S makes one shot and then types on, as it always did.
    if (match && key.isAutoRepeat() && !keptFromFocus(*match)) return std::nullopt;
    // Space, + and - are characters of race names: where one is being
    // typed they are the text field's, whole.
    if (match && keptFromFocus(*match) && textFieldTakes(target, key)) return std::nullopt;
    return match;
}

bool WindowActions::eventFilter(QObject* watched, QEvent* event) {
    // The override is claimed so that no other shortcut takes the key; the
    // press itself then triggers the action instead of reaching the widget.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (const std::optional<Command> command = windowWideMatch(watched, *key)) {
            key->accept();
            if (event->type() != QEvent::KeyPress) return true;
            if (!key->isAutoRepeat() || repeatsWhenHeld(*command)) trigger(*command);
            if (keptFromFocus(*command)) return true;
            // The window previews the keys: a text field (the race list,
            // where a race added later is typed) still takes its letter.
            const auto* list = qobject_cast<const QComboBox*>(watched);
            return !(qobject_cast<const QLineEdit*>(watched) || (list && list->isEditable()));
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace korvane

// What makes the window pleasant beyond the replay: the language switch and
// tips, help pages, the race's attachments, the stopwatch over race time and
// the weather chart of the replayed day. It owns those widgets and their
// work; MainWindow creates it, tells it about the race and the replay, and
// places it.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>

#include "app/attachment_list.h"
#include "app/control_panel.h"
#include "app/document_opener.h"
#include "app/documents_panel.h"
#include "app/tip_controller.h"
#include "app/window_layout.h"
#include "base/local_clock.h"
#include "replay/stopwatch.h"
#include "session/race_session.h"
#include "ui_text/language.h"
#include "view/viewport.h"

namespace korvane {

// What the chrome asks of the window.
struct ChromeHooks {
    std::function<void()> stopReplay;       // as the transport's stop does
    std::function<double()> replaySeconds;  // race seconds on show
    std::function<bool()> playing;
    std::function<const Viewport&()> viewport;
    std::function<void(int)> beep;
    std::function<bool()> trackPage;  // the map page is on show
};

class WindowChrome : public QObject {
    Q_OBJECT
  public:
    // `logo` is the panel above the boat list, whose side strip takes the
    // help button at `helpRoom`.
    WindowChrome(QWidget* area, ControlPanel* controls, QWidget* logo, const QRect& helpRoom,
                 std::filesystem::path dataRoot, ChromeHooks hooks);

    void setLanguage(Language language);
    Language language() const { return language_; }
    void raceOpened(std::shared_ptr<const RaceSession> session);
    // The replay moved: the stopwatch follows.
    void replayMoved(double seconds);
    // Places the stopwatch at `button` and its read-out at `readout` on the
    // map (nowhere when `stopwatchShown` is false) and the attachments list
    // above its button.
    void layout(const QRect& button, const QRect& readout, bool stopwatchShown);
    // The logo was clicked: the product's web site.
    void openWebSite();

    // Tests replace the desktop and set the clock.
    void setOpener(DocumentOpener opener);
    LocalClock& localClock() { return clock_; }

    DocumentsPanel* panel() const { return panel_; }
    AttachmentList* attachments() const { return attachments_; }
    TipController* tips() const { return tips_; }
    const Stopwatch& stopwatch() const { return stopwatch_; }

    // The help page of the language on show (the "?" button, F1).
    void openHelp();

  signals:
    // The captions changed, and with them the control panel's height.
    void languageChanged();

  private:
    void openJapaneseHelp();
    void openWeather();
    void pressStopwatch();
    void pressAttachments();
    void open(const QUrl& url);

    QWidget* area_;
    ControlPanel* controls_;
    std::filesystem::path dataRoot_;
    ChromeHooks hooks_;
    DocumentOpener opener_;
    Language language_ = Language::English;
    std::shared_ptr<const RaceSession> session_;
    Stopwatch stopwatch_;
    LocalClock clock_;
    DocumentsPanel* panel_;
    AttachmentList* attachments_;
    TipController* tips_;
};

}  // namespace korvane

// The one window: it composes the map and the panels, owns the open race
// and the replay clock, and turns the timers' ticks and the controls'
// signals into clock calls and frames. Each panel is its own class; this one
// only wires them.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/boat_panel.h"
#include "app/control_panel.h"
#include "app/course_edit_panel.h"
#include "app/course_editing.h"
#include "app/ct_banner.h"
#include "app/ct_mode_panel.h"
#include "app/diagnostics_box.h"
#include "app/drop_questions.h"
#include "app/finish_board.h"
#include "app/finish_panel.h"
#include "app/flag_panel.h"
#include "app/google_earth_export.h"
#include "app/gun_sound.h"
#include "app/jump_panel.h"
#include "app/maneuver_panel.h"
#include "app/map_view.h"
#include "app/overview_panel.h"
#include "app/page_view.h"
#include "app/picture_show.h"
#include "app/race_loader.h"
#include "app/report_export.h"
#include "app/small_screen_panel.h"
#include "app/splash_panel.h"
#include "app/time_bar.h"
#include "app/window_chrome.h"
#include "app/window_layout.h"
#include "replay/replay_clock.h"
#include "session/race_session.h"

namespace korvane {

struct StartChoice {
    std::filesystem::path dataRoot;
    std::string raceFile;  // relative to raceadmin/
    bool editMode = false;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The replay ticks: a frame every 30 ms, the housekeeping and the
    // landmark lights once a second.
    static constexpr int kFrameMs = 30;
    static constexpr int kSecondMs = 1000;

    MainWindow(StartChoice start, std::vector<std::string> raceList, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a race behind the splash; the session replaces the old one when
    // it is ready.
    void openRace(const std::string& raceFile, std::optional<TimeMode> timeMode = {});

    // What tests and the diagnostics look at.
    const RaceSession* session() const { return session_.get(); }
    const ReplayClock& clock() const { return clock_; }
    RaceLoader& loader() { return loader_; }
    ControlPanel* controls() const { return controls_; }
    MapView* map() const { return map_; }
    SplashPanel* splash() const { return splash_; }
    FinishPanel* finishPanel() const { return finish_; }
    FinishPanel* classFinishPanel() const { return classFinish_; }
    BoatPanel* boatPanel() const { return boats_; }
    // The winner (0-based): the boat whose course colours the time bar.
    std::optional<int> referenceBoat() const { return board_->winner(); }
    CtModePanel* ctModePanel() const { return ctMode_; }
    CtBanner* ctBanner() const { return ctBanner_; }
    JumpPanel* jumpPanel() const { return jump_; }
    FlagPanel* flagPanel() const { return flag_; }
    ManeuverPanel* maneuverPanel() const { return maneuvers_; }
    DiagnosticsBox* diagnostics() const { return diagnostics_; }
    TimeBar* timeBar() const { return timeBar_; }
    OverviewPanel* overviewPanel() const { return overview_; }
    SmallScreenPanel* sizePanel() const { return sizePanel_; }
    const WindowLayout& layout() const { return layout_; }
    // The race list's entry on show (0-based).
    std::size_t listPosition() const { return listPosition_; }
    WindowChrome* chrome() const { return chrome_; }
    bool timersActive() const {
        return frameTimer_.isActive() || secondTimer_.isActive() || lightTimer_.isActive();
    }
    PictureShow* pictures() const { return pictures_; }
    PageView* pages() const { return pages_; }
    bool timersRunning() const { return frameTimer_.isActive(); }
    const GunSound& gun() const { return gun_; }
    bool editMode() const { return editMode_; }
    CourseEditPanel* editPanel() const { return editPanel_; }
    CourseEditing* courseEditing() const { return editing_; }
    int beepCount() const { return beeps_; }
    QString lastError() const { return lastError_; }
    QString clockText() const { return clockText_; }

    // The timers' work, callable by tests with the real time they stand for.
    // A test that injects the ticks sets the real ones aside: the timers keep
    // running, as the window's state, but do no work, however slow the build.
    void setRealTicksIgnored(bool ignored) { realTicksIgnored_ = ignored; }
    void frameTick(std::int64_t elapsedMs);
    void secondTick();
    void lightTick();

    // The pictures of what the window shows, in the documents folder.
    void takeScreenShot();
    void saveRetouchPicture();
    GoogleEarthExport* googleEarth() const { return googleEarth_; }
    // Files dropped on the window (only the first counts); the questions
    // are asked through `questions`, boxes unless a test sets its own.
    void dropPaths(const QStringList& paths);
    void setDropQuestions(std::unique_ptr<DropQuestions> questions);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void connectControls();
    void connectTimeBar();
    void onShowPressed();
    void onSmallScreen(bool on);
    void showTimeBar();
    void onRaceLoaded(const LoadOutcome& outcome);
    void startReplay();
    void apply(const ReplayEvents& events);
    void drawNow();
    void layoutPanels();
    void beep(int times);
    void showClockText();
    void onModePicked(bool corrected);
    void onSpeedBarMoved(int position, bool byUser);
    void showJumpPanel();
    void nextRace();
    // "EXIT": the replay stops before the window closes.
    void exitNow();
    void setAutoTrace(bool on);
    void connectMapAndBoats();
    DisplayState displayState() const;
    // The Graph and Analysis pages (main_window_pages.cpp).
    void connectPages();
    void choosePage(Page page);
    PageState pageState() const;
    void onReportClicked();
    void showError(const QString& message);
    // Course editing (main_window_editing.cpp).
    void connectEditing();
    void showEdited(std::shared_ptr<const RaceSession> session);
    void offerRewriteAtClose();
    // Picture settings the user changed (a dropped folder, the camera
    // correction, the size) go into the race file's PIC line before the
    // race makes way for another or the window closes.
    void keepPictureSettings();
    // After a course edit: the finish guns, the rankings, the time bar's
    // stripes and the maneuver table follow the new legs.
    void followEditedLegs();

    std::filesystem::path dataRoot_;
    std::vector<std::string> raceList_;
    std::string raceFile_;         // the race on show (or the first to open)
    std::string pendingRaceFile_;  // the race being opened
    std::size_t listPosition_ = 0;
    bool editMode_ = false;
    std::shared_ptr<const RaceSession> session_;
    ReplayClock clock_;
    RaceLoader loader_;
    GunSound gun_;

    MapView* map_ = nullptr;
    ControlPanel* controls_ = nullptr;
    SplashPanel* splash_ = nullptr;
    JumpPanel* jump_ = nullptr;
    FlagPanel* flag_ = nullptr;
    FinishPanel* finish_ = nullptr;
    FinishPanel* classFinish_ = nullptr;
    std::unique_ptr<FinishBoard> board_;
    BoatPanel* boats_ = nullptr;
    CtModePanel* ctMode_ = nullptr;
    CtBanner* ctBanner_ = nullptr;
    DiagnosticsBox* diagnostics_ = nullptr;
    PageView* pages_ = nullptr;
    GoogleEarthExport* googleEarth_ = nullptr;
    ManeuverPanel* maneuvers_ = nullptr;
    TimeBar* timeBar_ = nullptr;
    OverviewPanel* overview_ = nullptr;
    SmallScreenPanel* sizePanel_ = nullptr;
    QLabel* smallCaption_ = nullptr;    // the race's caption over a small map
    QLabel* smallCtCaption_ = nullptr;  // "CT mode" beside it
    QLabel* playSpeedNote_ = nullptr;   // the replay speed under a small map
    WindowLayout layout_;
    // The overview and the time bar of a newly opened race wait until its
    // first frame is on screen.
    bool besideMapPending_ = false;
    void drawBesideMap();
    bool rankingAside_ = false;  // the pointer moved the ranking; finishes keep its side
    bool graphPageWasEnabled_ = false;
    bool analysisPageWasEnabled_ = false;
    WindowChrome* chrome_ = nullptr;
    PictureShow* pictures_ = nullptr;
    std::unique_ptr<DropQuestions> dropQuestions_;
    CourseEditPanel* editPanel_ = nullptr;
    CourseEditing* editing_ = nullptr;

    QTimer frameTimer_;
    bool realTicksIgnored_ = false;
    QTimer secondTimer_;
    QTimer lightTimer_;
    QElapsedTimer realTime_;
    std::int64_t lastFrameMs_ = 0;
    double lastDrawMs_ = 0;
    int beeps_ = 0;
    QString lastError_;
    QString clockText_;
    bool updatingControls_ = false;
};

}  // namespace korvane

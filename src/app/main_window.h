// The one window: it builds the map and the panels, places them, and lets
// each follow the replay controller, which owns the open race and the clock.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/boat_panel.h"
#include "app/compare_page.h"
#include "app/control_panel.h"
#include "app/course_edit_panel.h"
#include "app/course_editing.h"
#include "app/ct_banner.h"
#include "app/ct_mode_panel.h"
#include "app/diagnostics_box.h"
#include "app/drop_questions.h"
#include "app/export_status.h"
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
#include "app/passing_editing.h"
#include "app/picture_show.h"
#include "app/race_loader.h"
#include "app/replay_controller.h"
#include "app/report_export.h"
#include "app/small_screen_panel.h"
#include "app/splash_panel.h"
#include "app/standings_panel.h"
#include "app/time_bar.h"
#include "app/video_export.h"
#include "app/window_actions.h"
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
    MainWindow(StartChoice start, std::vector<std::string> raceList, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The replay: what tests drive and the panels follow.
    ReplayController& controller() { return *controller_; }
    const WindowActions& actions() const { return *actions_; }
    const RaceSession* session() const { return controller_->session().get(); }
    const ReplayClock& clock() const { return controller_->clock(); }

    // What tests and the diagnostics look at.
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
    StandingsPanel* standingsPanel() const { return standings_; }
    ComparePage* comparePage() const { return compare_; }
    DiagnosticsBox* diagnostics() const { return diagnostics_; }
    TimeBar* timeBar() const { return timeBar_; }
    OverviewPanel* overviewPanel() const { return overview_; }
    SmallScreenPanel* sizePanel() const { return sizePanel_; }
    const WindowLayout& layout() const { return layout_; }
    WindowChrome* chrome() const { return chrome_; }
    PictureShow* pictures() const { return pictures_; }
    PageView* pages() const { return pages_; }
    const GunSound& gun() const { return gun_; }
    CourseEditPanel* editPanel() const { return editPanel_; }
    CourseEditing* courseEditing() const { return editing_; }
    PassingEditing* passingEditing() const { return passings_; }
    GoogleEarthExport* googleEarth() const { return googleEarth_; }
    VideoExport* video() const { return video_; }
    const ExportStatus& exportStatus() const { return *exportStatus_; }
    int beepCount() const { return beeps_; }
    QString lastError() const { return lastError_; }
    QString clockText() const { return clockText_; }

    // Opens a race behind the splash (as the race list's SHOW does).
    void openRace(const std::string& raceFile) { controller_->openRace(raceFile); }
    // The pictures of what the window shows, in the documents folder.
    void takeScreenShot();
    void saveRetouchPicture();
    // Files dropped on the window (only the first counts); the questions
    // are asked through `questions`, boxes unless a test sets its own.
    void dropPaths(const QStringList& paths);
    void setDropQuestions(std::unique_ptr<DropQuestions> questions);

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // It shows each corrected session as an edit is shown.
    friend class PassingEditing;
    void buildPanels();
    void connectCommands();
    void connectControls();
    void connectReplay();
    void connectOpening();
    void connectTimeBar();
    void connectMapAndBoats();
    void onSessionChanged(const std::shared_ptr<const RaceSession>& session);
    void onReplayStarted(bool newRace);
    void onFinishers(const std::vector<int>& boats);
    void onSmallScreen(bool on);
    void showTimeBar();
    void drawNow();
    void layoutPanels();
    void playBeep(int times);
    void showClockText();
    void showJumpPanel();
    // "EXIT": the replay stops before the window closes.
    void exitNow();
    void toggleDiagnostics();
    DisplayState displayState() const;
    std::vector<BoatSpeedSample> speedSamples() const;
    // The Graph and Analysis pages (main_window_pages.cpp).
    void connectPages();
    void choosePage(Page page);
    Page chosenPage() const;
    PageState pageState() const;
    void onReportClicked();
    void showError(const QString& message);
    // Course editing (main_window_editing.cpp).
    void connectEditing();
    void showEdited(const std::shared_ptr<const RaceSession>& session);
    void offerRewriteAtClose();
    // Picture settings the user changed (a dropped folder, the camera
    // correction, the size) go into the race file's PIC line before the
    // race makes way for another or the window closes.
    void keepPictureSettings();
    // The overview and the time bar of a newly opened race wait until its
    // first frame is on screen.
    void drawBesideMap();

    ReplayController* controller_ = nullptr;
    WindowActions* actions_ = nullptr;
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
    VideoExport* video_ = nullptr;
    ExportStatus* exportStatus_ = nullptr;  // where each export went
    ManeuverPanel* maneuvers_ = nullptr;
    StandingsPanel* standings_ = nullptr;
    ComparePage* compare_ = nullptr;
    TimeBar* timeBar_ = nullptr;
    OverviewPanel* overview_ = nullptr;
    SmallScreenPanel* sizePanel_ = nullptr;
    QLabel* smallCaption_ = nullptr;    // the race's caption over a small map
    QLabel* smallCtCaption_ = nullptr;  // "CT mode" beside it
    QLabel* playSpeedNote_ = nullptr;   // the replay speed under a small map
    WindowLayout layout_;
    bool besideMapPending_ = false;
    RankingDodge* dodge_ = nullptr;
    bool graphPageWasEnabled_ = false;
    bool analysisPageWasEnabled_ = false;
    WindowChrome* chrome_ = nullptr;
    PictureShow* pictures_ = nullptr;
    std::unique_ptr<DropQuestions> dropQuestions_;
    CourseEditPanel* editPanel_ = nullptr;
    CourseEditing* editing_ = nullptr;
    PassingEditing* passings_ = nullptr;

    double lastDrawMs_ = 0;
    int beeps_ = 0;
    QString lastError_;
    QString clockText_;
};

}  // namespace korvane

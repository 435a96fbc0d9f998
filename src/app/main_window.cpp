#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/desktop.h"
#include "app/frame_inputs.h"
#include "app/map_tips.h"
#include "app/replay_keys.h"
#include "app/window_font.h"
#include "base/numbers.h"
#include "export/kml_export.h"
#include "race/race_time.h"
#include "replay/speed_bar.h"
#include "view/colours.h"
#include "view/overview_map.h"
#include "view/time_preview.h"
#include "view/viewport.h"

namespace korvane {

namespace {

constexpr int kZoomAfterOpening = 75;  // the ZOOM bar after a race opens
// How long the overview and the time bar wait for the map's first frame.
constexpr int kBesideMapAtLatestMs = 250;
const QString kProgramName = QStringLiteral("korvane");

}  // namespace

MainWindow::MainWindow(StartChoice start, std::vector<std::string> raceList, QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(kProgramName);
    setMinimumSize(640, 480);
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QFont f = font();
        f.setPointSize(windowFontPoints(screen->logicalDotsPerInch()));
        setFont(f);
    }
    controller_ = new ReplayController(start.dataRoot, std::move(raceList), start.raceFile,
                                       start.editMode, this);
    actions_ = new WindowActions(this);
    buildPanels();
    connectCommands();
    connectControls();
    connectReplay();
    connectOpening();
    connectTimeBar();
    connectMapAndBoats();
    connectEditing();
    connectPages();
    passings_ = new PassingEditing(*this);
    new MapTips(chrome_->tips(), map_, overview_, controls_, editing_);
    gun_.play();  // the program's start
}

MainWindow::~MainWindow() {
    controller_->cancelOpening();
}

void MainWindow::buildPanels() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    map_ = new MapView(central);
    ctBanner_ = new CtBanner(central);
    controls_ = new ControlPanel(*actions_, central);
    jump_ = new JumpPanel(central);
    jump_->hide();
    flag_ = new FlagPanel(central);
    flag_->hide();
    finish_ = new FinishPanel(central);
    classFinish_ = new FinishPanel(central);
    board_ = std::make_unique<FinishBoard>(finish_, classFinish_);
    boats_ = new BoatPanel(central);
    ctMode_ = new CtModePanel(central);
    ctMode_->hide();
    maneuvers_ = new ManeuverPanel(central);
    maneuvers_->hide();
    standings_ = new StandingsPanel(central);
    standings_->attach(*controller_, *controls_, *map_, [this] { drawNow(); });
    (compare_ = new ComparePage(central))->attach(*controller_, *controls_, *boats_, *map_);
    diagnostics_ = new DiagnosticsBox(central);
    timeBar_ = new TimeBar(central);
    overview_ = new OverviewPanel(central);
    sizePanel_ = new SmallScreenPanel(central);
    sizePanel_->hide();
    smallCaption_ = new QLabel(central);
    smallCtCaption_ = new QLabel(QStringLiteral("CT mode"), central);
    playSpeedNote_ = new QLabel(central);
    for (QLabel* l : {smallCaption_, smallCtCaption_, playSpeedNote_}) {
        l->setStyleSheet(QStringLiteral("background: white;"));
        l->hide();
    }
    // Around a small map the window is white, as a movie's frame wants.
    central->setAutoFillBackground(true);
    QPalette white = central->palette();
    white.setColor(QPalette::Window, Qt::white);
    central->setPalette(white);
    dodge_ = new RankingDodge(finish_, classFinish_, [this] { return layout_.map.size(); });
    pictures_ = new PictureShow(
        central, controller_->clock(), [this](const ReplayEvents& ev) { controller_->apply(ev); },
        [this] { playBeep(1); });
    dropQuestions_ = std::make_unique<BoxQuestions>(this);
    pages_ = new PageView(central);
    pages_->hide();
    editPanel_ = new CourseEditPanel(central);
    editPanel_->hide();
    splash_ = new SplashPanel(central);
    splash_->hide();
    const std::filesystem::path& root = controller_->dataRoot();
    splash_->setCover(QPixmap(QString::fromStdString((root / "raceadmin" / "cover.jpg").string())));

    controls_->lendButtons(overview_, OverviewPanel::sideRoom());
    chrome_ = new WindowChrome(
        central, controls_, overview_, OverviewPanel::sideRoom(), root,
        {[this] { actions_->trigger(Command::Stop); }, [this] { return clock().timeSeconds(); },
         [this] { return clock().transport() != Transport::Stopped; },
         [this]() -> const Viewport& { return map_->viewport(); }, [this](int n) { playBeep(n); },
         [this] { return (*actions_)[Command::TrackPage]->isChecked(); }});
    connect(chrome_, &WindowChrome::languageChanged, this, [this] {
        layoutPanels();
        drawNow();
    });

    GoogleEarthExport::Window window;
    window.stopReplay = [this] { controller_->apply(controller_->clock().stop()); };
    window.session = [this] { return session(); };
    window.timeSeconds = [this] { return clock().timeSeconds(); };
    // The globe viewer's descriptions speak the window's language.
    window.language = [this] { return chrome_->language(); };
    window.askYesNo = [this](const QString& question) {
        return QMessageBox::question(this, kProgramName, question) == QMessageBox::Yes;
    };
    googleEarth_ = new GoogleEarthExport(std::move(window), this);
    connect(googleEarth_, &GoogleEarthExport::failed, this, &MainWindow::showError);
    exportStatus_ = new ExportStatus(map_, [this] { return chrome_->language(); });
    connect(googleEarth_, &GoogleEarthExport::written, exportStatus_, &ExportStatus::handOver);
    exportStatus_->follow(*controller_);
    video_ = new VideoExport(
        this, {[this] { return controller_->session(); }, [this] { return clock().timeSeconds(); },
               documentsFolder, [this] { return filmLookOf(controls_->displayOptions()); }});
    connect(video_, &VideoExport::failed, this, &MainWindow::showError);
    connect(video_, &VideoExport::finished, exportStatus_, &ExportStatus::handOverFile);
}

void MainWindow::connectCommands() {
    const WindowActions& a = *actions_;
    ReplayController* c = controller_;
    connect(a[Command::ScreenShot], &QAction::triggered, this, &MainWindow::takeScreenShot);
    connect(a[Command::Retouch], &QAction::triggered, this, &MainWindow::saveRetouchPicture);
    connect(a[Command::GoogleEarth], &QAction::triggered, googleEarth_,
            [this] { googleEarth_->run(false); });
    connect(a[Command::EditMode], &QAction::triggered, this, [this] {
        controls_->setAutoNext(false);
        controller_->enterEditMode();
    });
    connect(a[Command::Diagnostics], &QAction::triggered, this, &MainWindow::toggleDiagnostics);
    connect(a[Command::Japanese], &QAction::triggered, chrome_,
            [this] { chrome_->setLanguage(Language::Japanese); });
    connect(a[Command::English], &QAction::triggered, chrome_,
            [this] { chrome_->setLanguage(Language::English); });
    connect(a[Command::Exit], &QAction::triggered, this, &MainWindow::exitNow);
    connect(a[Command::Video], &QAction::triggered, video_, &VideoExport::ask);
    connect(jump_, &JumpPanel::jumpToStartRequested, a[Command::JumpToStart], &QAction::trigger);
    new ReplayKeys(a, *c, this);
    connect(a[Command::Help], &QAction::triggered, chrome_, &WindowChrome::openHelp);
}

void MainWindow::connectControls() {
    ControlPanel* c = controls_;
    c->follow(*controller_);
    splash_->follow(*controller_);
    jump_->follow(*controller_);
    connect(c, &ControlPanel::smallScreenToggled, this, &MainWindow::onSmallScreen);
    connect(sizePanel_, &SmallScreenPanel::sizeChosen, this, [this] {
        layoutPanels();
        drawNow();
    });
    connect(c, &ControlPanel::googleEarthPressed, googleEarth_, &GoogleEarthExport::run);
    connect(c, &ControlPanel::maneuversToggled, this, [this](bool on) {
        if (on && maneuvers_->rows().empty()) maneuvers_->showSession(session());
        maneuvers_->setVisible(on);
        maneuvers_->raise();
    });
    connect(maneuvers_, &ManeuverPanel::jumpRequested, controller_, &ReplayController::jumpTo);
    connect(maneuvers_, &ManeuverPanel::boatPicked, boats_, &BoatPanel::highlightBoat);
    connect(ctMode_, &CtModePanel::modePicked, controller_, &ReplayController::pickTimeMode);
    // Whatever changes what the map shows redraws it at once, even stopped.
    connect(c, &ControlPanel::displayOptionsChanged, this, [this] { drawNow(); });
    connect(c, &ControlPanel::orientationChanged, this,
            [this](bool northUp) { overview_->setSession(controller_->session(), northUp); });
    connect(c, &ControlPanel::autoTraceToggled, this, [this](bool on) {
        if (!on) map_->resetStaticView();
        controller_->setAutoTrace(on);
        layoutPanels();  // the stopwatch times the replay, not the static map
    });
}

void MainWindow::connectReplay() {
    ReplayController* c = controller_;
    controller_->setSpeedSampler([this] { return speedSamples(); });
    connect(c, &ReplayController::flagChanged, flag_, [this] { flag_->showFlag(clock().flag()); });
    connect(c, &ReplayController::rankingCleared, this, [this] { board_->clear(); });
    connect(c, &ReplayController::startGun, this, [this] { gun_.play(); });
    connect(c, &ReplayController::finishers, this, &MainWindow::onFinishers);
    connect(c, &ReplayController::beep, this, &MainWindow::playBeep);
    connect(c, &ReplayController::frameDue, this, &MainWindow::drawNow);
    connect(c, &ReplayController::timeMoved, chrome_, &WindowChrome::replayMoved);
    connect(c, &ReplayController::secondChanged, this, &MainWindow::showClockText);
    connect(c, &ReplayController::holdEnded, pictures_, &PictureShow::holdEnded);
    connect(c, &ReplayController::ticked, pictures_, &PictureShow::afterFrame);
    connect(c, &ReplayController::secondTicked, this, [this](double t) {
        pictures_->secondTick(t);
        diagnostics_->showFigures(clock().framesLastSecond(), t, clock().speed(), lastDrawMs_);
    });
    connect(c, &ReplayController::stoppedByUser, this, &MainWindow::showJumpPanel);
    connect(c, &ReplayController::alreadyShown, this, [this] {
        auto* box = new QMessageBox(QMessageBox::NoIcon, kProgramName,
                                    QStringLiteral("Already shown."), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

void MainWindow::connectOpening() {
    ReplayController* c = controller_;
    connect(c, &ReplayController::openingStarted, this, [this] {
        playBeep(1);  // and once more when the boats are in
        keepPictureSettings();
        layoutPanels();
    });
    connect(c, &ReplayController::openingFailed, this, [this](const QString& error) {
        lastError_ = error;
        // The window stays: the race list offers another race.
        showError(error);
    });
    connect(c, &ReplayController::sessionChanged, this, &MainWindow::onSessionChanged);
    connect(c, &ReplayController::replayStarted, this, &MainWindow::onReplayStarted);
}

void MainWindow::connectTimeBar() {
    TimeBar* bar = timeBar_;
    connect(bar, &TimeBar::timePicked, controller_, &ReplayController::pickTime);
    connect(bar, &TimeBar::repeatSpanPicked, controller_, &ReplayController::setRepeatSpan);
    connect(bar, &TimeBar::startPressed, controller_, &ReplayController::goToBeginning);
    connect(bar, &TimeBar::hovered, this, [this](double t, double preview) {
        if (!session()) return;
        overview_->setClockText(timeBar_->momentText(t));
        overview_->showPreview(overviewDotsAt(session()->model, session()->area,
                                              controls_->displayOptions().northUp, {}, preview));
    });
    connect(bar, &TimeBar::hoverEnded, this, [this] {
        overview_->showPreview(std::nullopt);
        showClockText();
    });
    connect((*actions_)[Command::TrackPage], &QAction::toggled, bar, &TimeBar::setActive);
    bar->setTips(chrome_->tips());
    boats_->setTips(chrome_->tips());
    connect(overview_, &OverviewPanel::logoClicked, chrome_, &WindowChrome::openWebSite);
    connect(overview_, &OverviewPanel::sizeReadoutClicked, this, [this] {
        if (const QScreen* s = screen())
            move(centredTopLeft(s->availableGeometry(), frameGeometry().size()));
        playBeep(1);
    });
    connect((*actions_)[Command::TrackPage], &QAction::toggled, this, [this] { layoutPanels(); });
}

// The time bar's picture of the race on show: the winner's stripes and the
// pictures' moments.
void MainWindow::showTimeBar() {
    if (!session() || besideMapPending_) return;
    timeBar_->setRaceStart(session()->model.race.start);
    timeBar_->setInput(timeBarInputOf(*session(), board_->winner(),
                                      pictures_->correctedTimesSeconds(), clock().repeatSpan()));
}

void MainWindow::connectMapAndBoats() {
    // The pages show the boats the list shows, and pick out the one under
    // the pointer there.
    connect(boats_, &BoatPanel::selectionChanged, this, [this] {
        drawNow();
        if (pages_->page() != Page::Track) pages_->showPage(pages_->page(), pageState());
    });
    connect(boats_, &BoatPanel::highlightChanged, this, [this] {
        drawNow();
        if (pages_->page() != Page::Track) pages_->highlightBoat(boats_->selection().highlighted());
    });
    connect(pictures_, &PictureShow::picturesChanged, this, &MainWindow::showTimeBar);
    connect(map_, &MapView::viewChanged, this, [this] { drawNow(); });
    connect(map_, &MapView::framePainted, this, &MainWindow::drawBesideMap, Qt::QueuedConnection);
    connect(map_, &MapView::captionChanged, this, &QWidget::setWindowTitle);
    connect(map_, &MapView::lineEndMissing, this, [this] { playBeep(1); });
    connect(overview_, &OverviewPanel::pressed, map_, &MapView::overviewPressed);
    connect(map_, &MapView::wheelTurned, controls_, &ControlPanel::turnZoom);
}

void MainWindow::onSessionChanged(const std::shared_ptr<const RaceSession>& session) {
    lastError_.clear();
    playBeep(1);
    besideMapPending_ = true;  // the panels set up below leave the time bar to it
    const Race& race = session->model.race;
    const bool editMode = controller_->editMode();
    setWindowTitle(QString::fromStdString(race.caption + "  " + race.captionDate));
    if (controller_->listPosition() < controller_->raceList().size())
        controls_->showRace(static_cast<int>(controller_->listPosition()));
    map_->setSession(session);
    controls_->setSmallScreen(false);
    map_->setEditMode(editMode);
    boats_->setSession(*session);
    board_->setSession(*session);
    pages_->setSession(session);
    controls_->showOpening(kZoomAfterOpening, session->raceFile.window.northUp && !editMode,
                           editMode);
    ctMode_->setVisible(race.hasTcf);
    ctMode_->showMode(race.timeMode == TimeMode::Corrected);
    chrome_->raceOpened(session);
    finish_->clearRows();
    // The table fills when it is first shown: most replays never open it.
    maneuvers_->showSession(controls_->maneuversShown() ? session.get() : nullptr);
    dodge_->forget();
    smallCaption_->setText(QString::fromStdString(race.caption));
    pictures_->setSession(session.get(), centralWidget()->width());
    editing_->setSession(editMode ? session : nullptr);
    editPanel_->setVisible(editMode);
    if (editMode) editPanel_->raise();
}

void MainWindow::onReplayStarted(bool newRace) {
    layoutPanels();
    drawNow();
    // The map first; the overview and the time bar once it is on screen, or
    // a moment later where the map is not shown.
    besideMapPending_ = true;
    QTimer::singleShot(map_->isVisible() ? kBesideMapAtLatestMs : 0, this,
                       [this, shown = controller_->session()] {
                           if (controller_->session() == shown) drawBesideMap();
                       });
    if (!newRace) return;
    // Course editing works on the static map, which Auto Trace hides.
    if (controller_->editMode()) controls_->setAutoTrace(false);
    if (pages_->page() != Page::Track) choosePage(pages_->page());
}

void MainWindow::onFinishers(const std::vector<int>& boats) {
    for (std::size_t i = 0; i < boats.size(); ++i) gun_.play();
    const std::optional<int> winnerBefore = board_->winner();
    board_->showFinishers(clock().finisherCount(), clock().finishedBoats());
    if (board_->winner() != winnerBefore) showTimeBar();
    finish_->raise();
    classFinish_->raise();
    layoutPanels();  // room for the new row; the side the pointer chose stays
}

void MainWindow::drawBesideMap() {
    if (!besideMapPending_ || !session()) return;
    besideMapPending_ = false;
    overview_->setSession(controller_->session(), controls_->displayOptions().northUp);
    showTimeBar();
}

DisplayState MainWindow::displayState() const {
    const DisplayOptions& o = controls_->displayOptions();
    DisplayState d = frameState(o, clock());
    d.smallScreen = static_cast<int>(o.smallScreen ? sizePanel_->mode() : SmallScreen::Off);
    d.timeBarTop = kTimeBarStripeTop;
    d.timeBarHeight = timeBarStripeHeight(timeBar_->height());
    d.timeBarHover = overview_->previewing();
    d.pictureVisible = pictures_->settings()->isVisible();
    boats_->selection().showIn(d);
    standings_->showIn(d);
    return d;
}

void MainWindow::drawNow() {
    if (!session()) return;
    if (pages_->isVisible()) {
        pages_->showPage(pages_->page(), pageState());
        return;
    }
    QElapsedTimer t;
    t.start();
    if (const auto span = clock().repeatSpan())
        map_->setRepeatSpan(TimeSpan{span->startSeconds, span->endSeconds});
    else
        map_->setRepeatSpan(std::nullopt);
    const SceneResult result = map_->drawFrame(clock().timeSeconds(), displayState(),
                                               clock().landmarkPulse(), clock().lightTicks());
    lastDrawMs_ = static_cast<double>(t.nsecsElapsed()) / 1e6;
    controller_->clock().setBoatsShown(result.boatsMoving);
    timeBar_->setPointerTop(result.timePointerTop);
    overview_->showFrame(result.overviewFrame, result.overviewDots);
    playSpeedNote_->setText(QString::fromStdString(result.playSpeedText));
    if (result.recheckAllBoats) boats_->recheckAll();
}

std::vector<BoatSpeedSample> MainWindow::speedSamples() const {
    if (!session()) return {};
    return speedSamplesOf(session()->model, map_->boatsNow(), displayState().boatChecked);
}

void MainWindow::showClockText() {
    if (!session()) return;
    const double t = std::nearbyint(clock().timeSeconds());
    clockText_ = QString::fromStdString(formatTimestamp(session()->model.race.start + t / 86400));
    // The time under the pointer on the time bar stays until it leaves.
    if (!overview_->previewing()) overview_->setClockText(clockText_);
}

void MainWindow::showJumpPanel() {
    if (!session()) return;
    jump_->showMoment(session()->model.race.start + std::nearbyint(clock().timeSeconds()) / 86400);
    jump_->adjustSize();
    layoutPanels();
    jump_->move(layout_.jumpPanel.topLeft());
    jump_->show();
    jump_->raise();
}

void MainWindow::playBeep(int times) {
    for (int i = 0; i < times; ++i) QApplication::beep();
    beeps_ += times;
}

void MainWindow::toggleDiagnostics() {
    diagnostics_->setVisible(!diagnostics_->isVisible());
    diagnostics_->raise();
    layoutPanels();
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    map_->keyReleased();
    QMainWindow::keyReleaseEvent(event);
}

void MainWindow::exitNow() {
    controller_->stopTimers();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    controller_->stopTimers();
    controller_->cancelOpening();
    keepPictureSettings();
    offerRewriteAtClose();
    // The whole-race export is a scratch file for the globe viewer.
    std::error_code ec;
    std::filesystem::remove(documentsFolder() / kWholeRaceKmlFile, ec);
    playBeep(1);
    event->accept();
}

}  // namespace korvane

#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "app/desktop.h"
#include "app/map_tips.h"
#include "app/picture_exports.h"
#include "app/window_font.h"
#include "base/numbers.h"
#include "export/kml_export.h"
#include "race/race_file.h"
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

std::vector<std::optional<double>> finishTimesOf(const RaceSession& s) {
    std::vector<std::optional<double>> times;
    for (int b = 0; b < s.model.boatCount(); ++b) {
        const BoatLegResult& result = s.legs.boat(b);
        times.push_back(result.passTime(result.pointCount() - 1));
    }
    return times;
}

ReplayRace replayRaceOf(const RaceSession& s) {
    const Race& race = s.model.race;
    ReplayRace r;
    r.timelineBeginSeconds = race.timelineBegin;
    r.timelineEndSeconds = race.timelineEnd;
    r.playSpeed = race.playSpeed;
    r.playSpeedBeforeStart = race.playSpeed2;
    r.startSecondsOfDay = startSecondsOfDay(race.start);
    r.sunriseSeconds = s.area.sunriseSeconds;
    r.sunsetSeconds = s.area.sunsetSeconds;
    r.finishTimesSeconds = finishTimesOf(s);
    return r;
}

}  // namespace

MainWindow::MainWindow(StartChoice start, std::vector<std::string> raceList, QWidget* parent)
    : QMainWindow(parent),
      dataRoot_(std::move(start.dataRoot)),
      raceList_(std::move(raceList)),
      raceFile_(std::move(start.raceFile)),
      editMode_(start.editMode) {
    setWindowTitle(QStringLiteral("korvane"));
    setMinimumSize(640, 480);
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QFont f = font();
        f.setPointSize(windowFontPoints(screen->logicalDotsPerInch()));
        setFont(f);
    }
    auto* central = new QWidget(this);
    central->setStyleSheet(QString());
    setCentralWidget(central);
    map_ = new MapView(central);
    ctBanner_ = new CtBanner(central);
    controls_ = new ControlPanel(central);
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
    finish_->installEventFilter(this);
    pictures_ = new PictureShow(
        central, clock_, [this](const ReplayEvents& ev) { apply(ev); }, [this] { beep(1); });
    dropQuestions_ = std::make_unique<BoxQuestions>(this);
    pages_ = new PageView(central);
    pages_->hide();
    editPanel_ = new CourseEditPanel(central);
    editPanel_->hide();
    splash_ = new SplashPanel(central);
    splash_->hide();
    QPixmap cover(QString::fromStdString((dataRoot_ / "raceadmin" / "cover.jpg").string()));
    splash_->setCover(cover);

    chrome_ = new WindowChrome(
        central, controls_, dataRoot_,
        {[this] { controls_->transport->stopButton->click(); },
         [this] { return clock_.timeSeconds(); },
         [this] { return clock_.transport() != Transport::Stopped; },
         [this]() -> const Viewport& { return map_->viewport(); }, [this](int n) { beep(n); }});
    connect(chrome_, &WindowChrome::languageChanged, this, [this] {
        layoutPanels();
        drawNow();
    });

    for (const std::string& name : raceList_)
        controls_->raceList->addItem(QString::fromStdString(name));
    const auto first = std::find(raceList_.begin(), raceList_.end(), raceFile_);
    listPosition_ =
        first == raceList_.end() ? 0 : static_cast<std::size_t>(first - raceList_.begin());
    controls_->autoNextBox->setChecked(!editMode_);
    clock_.setAutoNext(!editMode_);

    frameTimer_.setInterval(kFrameMs);
    secondTimer_.setInterval(kSecondMs);
    lightTimer_.setInterval(kSecondMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        if (realTicksIgnored_) return;
        const std::int64_t now = realTime_.elapsed();
        frameTick(now - lastFrameMs_);
        lastFrameMs_ = now;
    });
    connect(&secondTimer_, &QTimer::timeout, this, [this] {
        if (!realTicksIgnored_) secondTick();
    });
    connect(&lightTimer_, &QTimer::timeout, this, [this] {
        if (!realTicksIgnored_) lightTick();
    });
    connect(&loader_, &RaceLoader::progress, this,
            [this](int step, int count, const QString& text) {
                splash_->setProgress(step, count, text);
            });
    connect(&loader_, &RaceLoader::finished, this, &MainWindow::onRaceLoaded);
    connectControls();
    connectTimeBar();
    connectMapAndBoats();
    connectEditing();
    connectPages();
    new MapTips(chrome_->tips(), map_, overview_, controls_, editing_);
    realTime_.start();
}

MainWindow::~MainWindow() {
    loader_.wait();
}

void MainWindow::connectControls() {
    ControlPanel* c = controls_;
    TransportPanel* t = c->transport;
    connect(t->playForwardButton, &QToolButton::clicked, this, [this] {
        jump_->hide();
        apply(clock_.playForward());
    });
    connect(t->playBackwardButton, &QToolButton::clicked, this, [this] {
        jump_->hide();
        apply(clock_.playBackward());
    });
    connect(t->stopButton, &QToolButton::clicked, this, [this] {
        if (clock_.pictureHeld()) return;
        apply(clock_.stop());
        showJumpPanel();
    });
    connect(t->stepForwardButton, &QToolButton::clicked, this,
            [this] { apply(clock_.stepForward()); });
    connect(t->stepBackwardButton, &QToolButton::clicked, this,
            [this] { apply(clock_.stepBackward()); });
    connect(jump_->jumpButton, &QPushButton::clicked, this, [this] {
        if (!session_) return;
        apply(clock_.jumpTo(secondsBetween(session_->model.race.start, jump_->pickedMoment())));
    });
    connect(jump_->jumpToStartButton, &QPushButton::clicked, this, [this] {
        if (session_) jump_->showMoment(session_->model.race.start);
        apply(clock_.jumpToStart());
    });
    connect(c->speedBar, &QScrollBar::sliderMoved, this,
            [this](int p) { onSpeedBarMoved(p, true); });
    connect(c->speedBar, &QScrollBar::valueChanged, this, [this](int p) {
        if (!updatingControls_) onSpeedBarMoved(p, controls_->speedBar->isSliderDown());
    });
    connect(c->autoNextBox, &QCheckBox::toggled, this, [this](bool on) { clock_.setAutoNext(on); });
    connect(c->autoSeaColourBox, &QCheckBox::toggled, this,
            [this](bool on) { clock_.setAutoSeaColour(on); });
    connect(c->showButton, &QPushButton::clicked, this, &MainWindow::onShowPressed);
    connect(c->smallScreenBox, &QCheckBox::toggled, this, &MainWindow::onSmallScreen);
    connect(sizePanel_, &SmallScreenPanel::sizeChosen, this, [this] {
        layoutPanels();
        drawNow();
    });
    connect(c->exitButton, &QPushButton::clicked, this, &MainWindow::exitNow);
    connect(c->screenShotLabel, &ClickLabel::clicked, this, &MainWindow::takeScreenShot);
    connect(c->retouchButton, &QPushButton::clicked, this, &MainWindow::saveRetouchPicture);
    GoogleEarthExport::Window window;
    window.stopReplay = [this] { apply(clock_.stop()); };
    window.session = [this] { return session_.get(); };
    window.timeSeconds = [this] { return clock_.timeSeconds(); };
    // The globe viewer's descriptions speak the window's language.
    window.language = [this] {
        return chrome_->language() == Language::Japanese ? KmlLanguage::Japanese
                                                         : KmlLanguage::English;
    };
    window.askYesNo = [this](const QString& question) {
        return QMessageBox::question(this, kProgramName, question) == QMessageBox::Yes;
    };
    connect(c->maneuversButton, &QPushButton::toggled, this, [this](bool on) {
        if (on && maneuvers_->rows().empty()) maneuvers_->showSession(session_.get());
        maneuvers_->setVisible(on);
        maneuvers_->raise();
    });
    connect(maneuvers_, &ManeuverPanel::jumpRequested, this,
            [this](double t) { apply(clock_.jumpTo(t)); });
    googleEarth_ = new GoogleEarthExport(c->googleEarthButton, std::move(window), this);
    connect(googleEarth_, &GoogleEarthExport::failed, this, &MainWindow::showError);
    connect(ctMode_, &CtModePanel::modePicked, this, &MainWindow::onModePicked);
    // Whatever changes what the map shows redraws it at once, even stopped.
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{c->northUpButton, c->windUpButton, c->layLineBox,
                                                 c->compLineBox, c->showNameBox, c->bigBoatBox})
        connect(b, &QAbstractButton::toggled, this, [this] { drawNow(); });
    for (QScrollBar* bar : {c->zoomBar, c->seaColourBar})
        connect(bar, &QScrollBar::valueChanged, this, [this] { drawNow(); });
}

void MainWindow::connectTimeBar() {
    TimeBar* bar = timeBar_;
    connect(bar, &TimeBar::timePicked, this, [this](double t) {
        apply(clock_.pickTime(t));
        if (jump_->isVisible() && session_)
            jump_->showMoment(session_->model.race.start + clock_.timeSeconds() / 86400);
    });
    connect(bar, &TimeBar::repeatSpanPicked, this, [this](std::optional<RepeatSpan> span) {
        clock_.setRepeatSpan(span);
        drawNow();
    });
    connect(bar, &TimeBar::startPressed, this, [this] { apply(clock_.goToBeginning()); });
    connect(bar, &TimeBar::hovered, this, [this](double t, double preview) {
        if (!session_) return;
        controls_->clockLabel->setText(timeBar_->momentText(t));
        overview_->showPreview(overviewDotsAt(session_->model, session_->area,
                                              controls_->northUpButton->isChecked(), {}, preview));
    });
    connect(bar, &TimeBar::hoverEnded, this, [this] {
        overview_->showPreview(std::nullopt);
        showClockText();
    });
    connect(controls_->trackPageButton, &QRadioButton::toggled, bar, &TimeBar::setActive);
    bar->setTips(chrome_->tips());
    boats_->setTips(chrome_->tips());
    connect(overview_->logo, &ClickLabel::clicked, chrome_, &WindowChrome::openWebSite);
    connect(overview_->sizeReadout, &ClickLabel::clicked, this, [this] {
        if (const QScreen* s = screen())
            move(centredTopLeft(s->availableGeometry(), frameGeometry().size()));
        beep(1);
    });
    connect(controls_->trackPageButton, &QRadioButton::toggled, this, [this] { layoutPanels(); });
    connect(controls_->northUpButton, &QRadioButton::toggled, this,
            [this](bool northUp) { overview_->setSession(session_, northUp); });
}

// The time bar's picture of the race on show: the winner's stripes (the
// first boat's when nobody finished) and the pictures' moments.
void MainWindow::showTimeBar() {
    if (!session_ || besideMapPending_) return;
    const RaceModel& m = session_->model;
    TimeBarInput in;
    in.timelineBeginSeconds = m.race.timelineBegin;
    in.timelineEndSeconds = m.race.timelineEnd;
    in.timelineLengthSeconds = m.race.timelineLength;
    in.windDirectionDegrees = m.race.windDirection;
    const int reference = board_->winner().value_or(0);
    if (reference < m.boatCount()) in.referenceTrack = &m.boats.at(reference).track;
    in.pictureTimesSeconds = pictures_->correctedTimesSeconds();
    in.correctedTime = m.race.timeMode == TimeMode::Corrected;
    in.startSecondsOfDay = startSecondsOfDay(m.race.start);
    in.sunriseSeconds = session_->area.sunriseSeconds;
    in.sunsetSeconds = session_->area.sunsetSeconds;
    in.repeat = clock_.repeatSpan();
    timeBar_->setRaceStart(m.race.start);
    timeBar_->setInput(std::move(in));
}

void MainWindow::connectMapAndBoats() {
    connect(controls_->autoTraceBox, &QCheckBox::toggled, this, &MainWindow::setAutoTrace);
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
    connect(map_, &MapView::lineEndMissing, this, [this] { beep(1); });
    connect(overview_, &OverviewPanel::pressed, map_, &MapView::overviewPressed);
    connect(map_, &MapView::wheelTurned, this, [this](int delta) {
        QScrollBar* bar = controls_->zoomBar;
        bar->setValue(wheelZoomPosition(bar->value(), delta, controls_->autoTraceBox->isChecked()));
    });
}

void MainWindow::setAutoTrace(bool on) {
    beep(2);
    if (on) {
        jump_->hide();
        apply(clock_.playForward());
    } else {
        map_->resetStaticView();
        apply(clock_.stop());
        showJumpPanel();
    }
    drawNow();
}

void MainWindow::openRace(const std::string& raceFile, std::optional<TimeMode> timeMode) {
    if (loader_.busy()) return;
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    keepPictureSettings();
    pendingRaceFile_ = raceFile;
    splash_->setTitle(QString::fromStdString(raceFile), QString());
    splash_->setProgress(0, 1, QStringLiteral("READING  ") + QString::fromStdString(raceFile));
    splash_->show();
    splash_->raise();
    layoutPanels();
    OpenRequest request;
    request.dataRoot = dataRoot_;
    request.raceFile = raceFile;
    request.timeMode = timeMode;
    request.editMode = editMode_;
    request.raceOpenedBefore = session_ != nullptr;
    loader_.start(std::move(request), session_);
}

void MainWindow::onRaceLoaded(const LoadOutcome& outcome) {
    splash_->hide();
    if (!outcome.session) {
        lastError_ = outcome.error;
        // The window stays: the race list offers another race, and the race
        // on show before (if any) plays on.
        showError(outcome.error);
        if (session_) startReplay();
        return;
    }
    lastError_.clear();
    raceFile_ = pendingRaceFile_;
    session_ = outcome.session;
    besideMapPending_ = true;  // the panels set up below leave the time bar to it
    const Race& race = session_->model.race;
    setWindowTitle(QString::fromStdString(race.caption + "  " + race.captionDate));
    splash_->setTitle(QString::fromStdString(race.caption),
                      QString::fromStdString(race.captionDate));
    if (listPosition_ >= raceList_.size() || raceList_[listPosition_] != raceFile_) {
        const auto it = std::find(raceList_.begin(), raceList_.end(), raceFile_);
        if (it != raceList_.end()) listPosition_ = static_cast<std::size_t>(it - raceList_.begin());
    }
    if (listPosition_ < raceList_.size())
        controls_->raceList->setCurrentIndex(static_cast<int>(listPosition_));
    map_->setSession(session_);
    controls_->smallScreenBox->setChecked(false);
    map_->setEditMode(editMode_);
    boats_->setSession(*session_);
    board_->setSession(*session_);
    pages_->setSession(session_);
    {
        const QSignalBlocker block(controls_->zoomBar);
        controls_->zoomBar->setValue(kZoomAfterOpening);
    }
    const RaceWindowSettings& settings = session_->raceFile.window;
    {
        const QSignalBlocker n(controls_->northUpButton), w(controls_->windUpButton);
        const bool northUp = settings.northUp && !editMode_;
        (northUp ? controls_->northUpButton : controls_->windUpButton)->setChecked(true);
    }
    ctMode_->setVisible(race.hasTcf);
    ctMode_->showMode(race.timeMode == TimeMode::Corrected);
    chrome_->raceOpened(session_);
    finish_->clearRows();
    // The table fills when it is first shown: most replays never open it.
    maneuvers_->showSession(controls_->maneuversButton->isChecked() ? session_.get() : nullptr);
    rankingAside_ = false;
    smallCaption_->setText(QString::fromStdString(race.caption));
    pictures_->setSession(session_.get(), centralWidget()->width());
    editing_->setSession(editMode_ ? session_ : nullptr);
    editPanel_->setVisible(editMode_);
    if (editMode_) editPanel_->raise();
    startReplay();
    // Course editing works on the static map, which Auto Trace hides.
    if (editMode_) controls_->autoTraceBox->setChecked(false);
    if (pages_->page() != Page::Track) choosePage(pages_->page());
}

void MainWindow::followEditedLegs() {
    clock_.setFinishTimes(finishTimesOf(*session_));
    board_->setSession(*session_);
    board_->showFinishers(clock_.finisherCount(), clock_.finishedBoats());
    showTimeBar();
    if (controls_->maneuversButton->isChecked()) maneuvers_->showSession(session_.get());
}

void MainWindow::drawBesideMap() {
    if (!besideMapPending_ || !session_) return;
    besideMapPending_ = false;
    overview_->setSession(session_, controls_->northUpButton->isChecked());
    showTimeBar();
}

void MainWindow::startReplay() {
    clock_.openRace(replayRaceOf(*session_));
    clock_.setAutoNext(controls_->autoNextBox->isChecked());
    clock_.setAutoSeaColour(controls_->autoSeaColourBox->isChecked());
    {
        updatingControls_ = true;
        controls_->speedBar->setValue(clock_.speedBarPosition());
        updatingControls_ = false;
    }
    controls_->showSpeed(clock_.speed());
    controls_->transport->showTransport(clock_.transport());
    layoutPanels();
    lastFrameMs_ = realTime_.elapsed();
    drawNow();
    // The map first; the overview and the time bar once it is on screen, or
    // a moment later where the map is not shown.
    besideMapPending_ = true;
    QTimer::singleShot(map_->isVisible() ? kBesideMapAtLatestMs : 0, this,
                       [this, shown = session_] {
                           if (session_ == shown) drawBesideMap();
                       });
    frameTimer_.start();
    secondTimer_.start();
    lightTimer_.start();
}

DisplayState MainWindow::displayState() const {
    const ControlPanel* c = controls_;
    DisplayState d;
    d.northUp = c->northUpButton->isChecked();
    d.autoTrace = c->autoTraceBox->isChecked();
    d.showName = c->showNameBox->isChecked();
    d.labelLevel = d.showName ? 1 : 0;
    d.bigBoat = c->bigBoatBox->isChecked();
    d.layLine = c->layLineBox->isChecked();
    d.compLine = c->compLineBox->isChecked();
    d.seaLevel = c->seaColourBar->value();
    d.zoomDivisor = zoomDivisorForPosition(c->zoomBar->value());
    d.isNight = clock_.isNight();
    d.blinkPhase = clock_.blinkPhase();
    d.boatFinished = clock_.finishedBoats();
    const SideAverages avg = clock_.sideAverages();
    d.avgUpwindSpeedKnots = avg.upwindKnots;
    d.avgDownwindSpeedKnots = avg.downwindKnots;
    d.replaySpeed = clock_.speed();
    d.smallScreen = static_cast<int>(controls_->smallScreenBox->isChecked() ? sizePanel_->mode()
                                                                            : SmallScreen::Off);
    d.timeBarTop = kTimeBarStripeTop;
    d.timeBarHeight = timeBarStripeHeight(timeBar_->height());
    d.timeBarHover = overview_->previewing();
    d.pictureVisible = pictures_->settings()->isVisible();
    boats_->selection().showIn(d);
    return d;
}

void MainWindow::drawNow() {
    if (!session_) return;
    if (pages_->isVisible()) {
        pages_->showPage(pages_->page(), pageState());
        return;
    }
    QElapsedTimer t;
    t.start();
    if (const auto span = clock_.repeatSpan())
        map_->setRepeatSpan(TimeSpan{span->startSeconds, span->endSeconds});
    else
        map_->setRepeatSpan(std::nullopt);
    const SceneResult result = map_->drawFrame(clock_.timeSeconds(), displayState(),
                                               clock_.landmarkPulse(), clock_.lightTicks());
    lastDrawMs_ = static_cast<double>(t.nsecsElapsed()) / 1e6;
    clock_.setBoatsShown(result.drawn);
    timeBar_->setPointerTop(result.timePointerTop);
    overview_->showFrame(result.overviewFrame, result.overviewDots);
    playSpeedNote_->setText(QString::fromStdString(result.playSpeedText));
    if (result.recheckAllBoats) boats_->recheckAll();
}

void MainWindow::frameTick(std::int64_t elapsedMs) {
    if (!session_ || loader_.busy()) return;
    const ReplayEvents ev = clock_.onFrameTick(elapsedMs);
    apply(ev);
    pictures_->afterFrame(ev);
}

void MainWindow::secondTick() {
    if (!session_) return;
    std::vector<BoatSpeedSample> samples;
    const auto& boats = map_->boatsNow();
    const auto& checked = displayState().boatChecked;
    for (int b = 0; b < session_->model.boatCount() && b < static_cast<int>(boats.size()); ++b) {
        const BoatNow& now = boats[static_cast<std::size_t>(b)];
        const bool visible = checked.size() > static_cast<std::size_t>(b)
                                 ? checked[static_cast<std::size_t>(b)]
                                 : session_->model.boats[b].visible;
        samples.push_back({visible, now.hasPosition, now.speedKnots, now.windAngleDegrees});
    }
    apply(clock_.onSecondTick(samples));
    pictures_->secondTick(clock_.timeSeconds());
    diagnostics_->showFigures(clock_.framesLastSecond(), clock_.timeSeconds(), clock_.speed(),
                              lastDrawMs_);
}

void MainWindow::lightTick() {
    clock_.onLightTick();
}

void MainWindow::apply(const ReplayEvents& ev) {
    if (ev.transportChanged) controls_->transport->showTransport(clock_.transport());
    if (ev.speedChanged) {
        updatingControls_ = true;
        controls_->speedBar->setValue(clock_.speedBarPosition());
        updatingControls_ = false;
        controls_->showSpeed(clock_.speed());
    }
    if (ev.seaLevelChanged) {
        const QSignalBlocker block(controls_->seaColourBar);
        controls_->seaColourBar->setValue(clock_.seaLevel());
    }
    if (ev.flagChanged) flag_->showFlag(clock_.flag());
    if (ev.rankingCleared) board_->clear();
    if (ev.startGun) gun_.play();
    for (std::size_t i = 0; i < ev.finishers.size(); ++i) gun_.play();
    if (!ev.finishers.empty()) {
        const std::optional<int> winnerBefore = board_->winner();
        board_->showFinishers(clock_.finisherCount(), clock_.finishedBoats());
        if (board_->winner() != winnerBefore) showTimeBar();
        finish_->raise();
        // A finish only makes room for its row; the side the pointer chose stays.
        const int left = finish_->x();
        classFinish_->raise();
        layoutPanels();
        if (rankingAside_) finish_->move(left, finish_->y());
    }
    beep(ev.beeps);
    if (ev.redraw) drawNow();
    chrome_->replayMoved(clock_.timeSeconds());
    if (ev.secondChanged) showClockText();
    if (ev.holdEnded) pictures_->holdEnded();
    if (ev.nextRace) nextRace();
}

void MainWindow::nextRace() {
    if (raceList_.size() > 1) {
        // The list moves on even past a race whose file has gone: the race on
        // show plays once more and the next end tries the race after it.
        listPosition_ = (listPosition_ + 1) % raceList_.size();
        const std::string& next = raceList_[listPosition_];
        std::error_code ec;
        if (std::filesystem::is_regular_file(resolveRaceFile(dataRoot_, next), ec)) {
            beep(1);
            openRace(next);
            return;
        }
    }
    apply(clock_.restartFromBeginning());
}

void MainWindow::onShowPressed() {
    const QString text = controls_->raceList->currentText();
    const std::string name = text.trimmed().toStdString();
    if (name.empty()) return;
    // The same file as the one on show, however its name is spelt; a name
    // that merely appears inside the shown path is another race.
    std::error_code ec;
    if (session_ &&
        std::filesystem::equivalent(resolveRaceFile(dataRoot_, name), session_->raceFilePath, ec)) {
        auto* box = new QMessageBox(QMessageBox::NoIcon, kProgramName,
                                    QStringLiteral("Already shown."), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    const int picked = controls_->raceList->currentIndex();
    if (picked >= 0) listPosition_ = static_cast<std::size_t>(picked);
    beep(1);
    openRace(name);
}

void MainWindow::showClockText() {
    if (!session_) return;
    const double t = std::nearbyint(clock_.timeSeconds());
    clockText_ = QString::fromStdString(formatTimestamp(session_->model.race.start + t / 86400));
    controls_->clockLabel->setText(clockText_);
}

void MainWindow::showJumpPanel() {
    if (!session_) return;
    jump_->showMoment(session_->model.race.start + std::nearbyint(clock_.timeSeconds()) / 86400);
    jump_->adjustSize();
    layoutPanels();
    jump_->move(layout_.jumpPanel.topLeft());
    jump_->show();
    jump_->raise();
}

void MainWindow::onSpeedBarMoved(int position, bool byUser) {
    clock_.setSpeedBarPosition(position, byUser);
    controls_->showSpeed(clock_.speed());
}

void MainWindow::onModePicked(bool corrected) {
    if (!session_) return;
    const TimeMode picked = corrected ? TimeMode::Corrected : TimeMode::Elapsed;
    if (picked == session_->model.race.timeMode) return;
    beep(1);
    openRace(raceFile_, picked);
}

void MainWindow::beep(int times) {
    for (int i = 0; i < times; ++i) QApplication::beep();
    beeps_ += times;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const auto mods = event->modifiers();
    if (event->key() == Qt::Key_E && mods.testFlag(Qt::ShiftModifier) &&
        mods.testFlag(Qt::ControlModifier)) {
        editMode_ = true;
        controls_->autoNextBox->setChecked(false);
        openRace(raceFile_);
        return;
    }
    if (event->key() == Qt::Key_S) {
        takeScreenShot();
        return;
    }
    if (event->key() == Qt::Key_V && mods.testFlag(Qt::ControlModifier)) {
        diagnostics_->setVisible(!diagnostics_->isVisible());
        diagnostics_->raise();
        layoutPanels();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    map_->keyReleased();
    QMainWindow::keyReleaseEvent(event);
}

void MainWindow::exitNow() {
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    loader_.wait();
    keepPictureSettings();
    offerRewriteAtClose();
    // The whole-race export is a scratch file for the globe viewer.
    std::error_code ec;
    std::filesystem::remove(documentsFolder() / kWholeRaceKmlFile, ec);
    beep(1);
    event->accept();
}

}  // namespace korvane

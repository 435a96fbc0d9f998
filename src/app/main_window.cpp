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
#include "app/picture_exports.h"
#include "app/window_font.h"
#include "base/numbers.h"
#include "export/kml_export.h"
#include "race/race_file.h"
#include "race/race_time.h"
#include "replay/speed_bar.h"
#include "view/colours.h"
#include "view/viewport.h"

namespace korvane {

namespace {

constexpr int kPanelMargin = 5;
constexpr int kZoomAfterOpening = 75;
constexpr int kCountdownHalfWidth = 60;  // the big time read-out above the map's centre
constexpr int kCountdownTop = 15;        // the ZOOM bar after a race opens
const QString kProgramName = QStringLiteral("korvane");

QString elapsedText(double seconds) {
    const int s = static_cast<int>(std::lround(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
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
    for (int b = 0; b < s.model.boatCount(); ++b) {
        const BoatLegResult& result = s.legs.boat(b);
        r.finishTimesSeconds.push_back(result.passTime(result.pointCount() - 1));
    }
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
    controls_ = new ControlPanel(central);
    jump_ = new JumpPanel(central);
    jump_->hide();
    flag_ = new FlagPanel(central);
    flag_->hide();
    finish_ = new FinishPanel(central);
    ctMode_ = new CtModePanel(central);
    ctMode_->hide();
    maneuvers_ = new ManeuverPanel(central);
    maneuvers_->hide();
    diagnostics_ = new DiagnosticsBox(central);
    splash_ = new SplashPanel(central);
    splash_->hide();
    QPixmap cover(QString::fromStdString((dataRoot_ / "raceadmin" / "cover.jpg").string()));
    splash_->setCover(cover);

    for (const std::string& name : raceList_)
        controls_->raceList->addItem(QString::fromStdString(name));
    controls_->autoNextBox->setChecked(!editMode_);
    clock_.setAutoNext(!editMode_);

    frameTimer_.setInterval(kFrameMs);
    secondTimer_.setInterval(kSecondMs);
    lightTimer_.setInterval(kSecondMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        const std::int64_t now = realTime_.elapsed();
        frameTick(now - lastFrameMs_);
        lastFrameMs_ = now;
    });
    connect(&secondTimer_, &QTimer::timeout, this, &MainWindow::secondTick);
    connect(&lightTimer_, &QTimer::timeout, this, &MainWindow::lightTick);
    connect(&loader_, &RaceLoader::progress, this,
            [this](int step, int count, const QString& text) {
                splash_->setProgress(step, count, text);
            });
    connect(&loader_, &RaceLoader::finished, this, &MainWindow::onRaceLoaded);
    connectControls();
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
    connect(c->showButton, &QPushButton::clicked, this, [this] {
        const std::string name = controls_->raceList->currentText().toStdString();
        if (!name.empty()) openRace(name);
    });
    connect(c->exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(c->screenShotLabel, &ClickLabel::clicked, this, &MainWindow::takeScreenShot);
    connect(c->retouchButton, &QPushButton::clicked, this, &MainWindow::saveRetouchPicture);
    GoogleEarthExport::Window window;
    window.stopReplay = [this] { apply(clock_.stop()); };
    window.session = [this] { return session_.get(); };
    window.timeSeconds = [this] { return clock_.timeSeconds(); };
    window.language = [] { return KmlLanguage::Japanese; };
    window.askYesNo = [this](const QString& question) {
        return QMessageBox::question(this, kProgramName, question) == QMessageBox::Yes;
    };
    connect(c->maneuversButton, &QPushButton::toggled, this, [this](bool on) {
        maneuvers_->setVisible(on);
        maneuvers_->raise();
    });
    connect(maneuvers_, &ManeuverPanel::jumpRequested, this,
            [this](double t) { apply(clock_.jumpTo(t)); });
    googleEarth_ = new GoogleEarthExport(c->googleEarthButton, std::move(window), this);
    connect(googleEarth_, &GoogleEarthExport::failed, this, &MainWindow::showError);
    connect(ctMode_, &CtModePanel::modePicked, this, &MainWindow::onModePicked);
    // Whatever changes what the map shows redraws it at once, even stopped.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             c->northUpButton, c->windUpButton, c->autoTraceBox, c->layLineBox, c->compLineBox,
             c->showNameBox, c->bigBoatBox})
        connect(b, &QAbstractButton::toggled, this, [this] { drawNow(); });
    for (QScrollBar* bar : {c->zoomBar, c->seaColourBar})
        connect(bar, &QScrollBar::valueChanged, this, [this] { drawNow(); });
}

void MainWindow::openRace(const std::string& raceFile, std::optional<TimeMode> timeMode) {
    if (loader_.busy()) return;
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    raceFile_ = raceFile;
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
    session_ = outcome.session;
    const Race& race = session_->model.race;
    setWindowTitle(QString::fromStdString(race.caption + "  " + race.captionDate));
    splash_->setTitle(QString::fromStdString(race.caption),
                      QString::fromStdString(race.captionDate));
    const int index = controls_->raceList->findText(QString::fromStdString(raceFile_));
    if (index >= 0) controls_->raceList->setCurrentIndex(index);
    map_->setSession(session_);
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
    controls_->attachmentsButton->setEnabled(false);
    finish_->clearRows();
    maneuvers_->showSession(session_.get());
    startReplay();
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
    return d;
}

void MainWindow::drawNow() {
    if (!session_) return;
    QElapsedTimer t;
    t.start();
    const SceneResult result = map_->drawFrame(clock_.timeSeconds(), displayState(),
                                               clock_.landmarkPulse(), clock_.lightTicks());
    lastDrawMs_ = static_cast<double>(t.nsecsElapsed()) / 1e6;
    clock_.setBoatsShown(result.drawn);
}

void MainWindow::frameTick(std::int64_t elapsedMs) {
    if (!session_ || loader_.busy()) return;
    apply(clock_.onFrameTick(elapsedMs));
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
    if (ev.rankingCleared) finish_->clearRows();
    if (ev.startGun) gun_.play();
    for (int b : ev.finishers) {
        if (!session_ || b < 0 || b >= session_->model.boatCount()) continue;
        const Boat& boat = session_->model.boats[b];
        const BoatLegResult& result = session_->legs.boat(b);
        gun_.play();
        finish_->addRow({QString::fromStdString(boat.name), toQColor(boat.colour),
                         elapsedText(result.passTime(result.pointCount() - 1).value_or(0))});
        finish_->show();
        finish_->raise();
        layoutPanels();
    }
    beep(ev.beeps);
    if (ev.redraw) drawNow();
    if (ev.secondChanged) showClockText();
    if (ev.nextRace) nextRace();
}

void MainWindow::showError(const QString& message) {
    // Not modal to the application: the replay behind it keeps going.
    auto* box = new QMessageBox(QMessageBox::Warning, kProgramName, message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::takeScreenShot() {
    const QImage shown = grabShownArea(centralWidget(), map_->geometry());
    const PictureExportResult saved = saveBitmap(shown, documentsFolder() / kScreenShotFile);
    std::error_code ec;
    if (saved.ok() && std::filesystem::exists(saved.path, ec))
        openWithDesktop(QString::fromStdString(saved.path.string()));
}

void MainWindow::saveRetouchPicture() {
    // With Auto Trace the frame is drawn afresh for the replay time; the
    // frame timer waits only for the time of the save.
    const bool wasRunning = frameTimer_.isActive();
    frameTimer_.stop();
    if (controls_->autoTraceBox->isChecked()) drawNow();
    const PictureExportResult saved = saveBitmap(map_->frame(), documentsFolder() / kRetouchFile);
    if (wasRunning) frameTimer_.start();
    if (!saved.ok()) {
        showError(saved.error);
        return;
    }
    openWithDesktop(QString::fromStdString(saved.path.string()));
}

void MainWindow::nextRace() {
    if (raceList_.size() > 1) {
        const auto it = std::find(raceList_.begin(), raceList_.end(), raceFile_);
        const std::size_t here = it == raceList_.end() ? 0 : it - raceList_.begin();
        const std::string& next = raceList_[(here + 1) % raceList_.size()];
        std::error_code ec;
        if (std::filesystem::exists(dataRoot_ / "raceadmin" / next, ec)) {
            beep(1);
            openRace(next);
            return;
        }
    }
    apply(clock_.restartFromBeginning());
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
    jump_->move(kPanelMargin, centralWidget()->height() - jump_->height() - kPanelMargin);
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

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutPanels();
    drawNow();
}

void MainWindow::layoutPanels() {
    QWidget* area = centralWidget();
    const int w = area->width();
    const int h = area->height();
    const int mapWidth = std::max(1, w - ControlPanel::kWidth);
    map_->setGeometry(0, 0, mapWidth, h);
    controls_->move(mapWidth, 0);
    splash_->setGeometry(0, 0, w, h);
    // Left of the countdown read-out, which stands centred at the top.
    flag_->move(std::max(kPanelMargin, mapWidth / 2 - kCountdownHalfWidth - flag_->width()),
                kCountdownTop);
    finish_->move(mapWidth - finish_->width() - kPanelMargin,
                  h < finish_->height() + 2 * kPanelMargin ? h - finish_->height() - kPanelMargin
                                                           : kPanelMargin);
    ctMode_->move(mapWidth, controls_->height() + kPanelMargin);
    diagnostics_->move(kPanelMargin, h - diagnostics_->height() - kPanelMargin);
    maneuvers_->move(kPanelMargin, kPanelMargin);
    if (jump_->isVisible()) jump_->move(kPanelMargin, h - jump_->height() - kPanelMargin);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    frameTimer_.stop();
    secondTimer_.stop();
    lightTimer_.stop();
    loader_.wait();
    // The whole-race export is a scratch file for the globe viewer.
    std::error_code ec;
    std::filesystem::remove(documentsFolder() / kWholeRaceKmlFile, ec);
    beep(1);
    event->accept();
}

}  // namespace korvane

#include "app/control_panel.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <QButtonGroup>
#include <QGroupBox>
#include <algorithm>
#include <utility>

#include "app/map_tools.h"
#include "app/replay_controller.h"

namespace korvane {

namespace {

QScrollBar* horizontalBar(QWidget* parent, int max, int value) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(0, max);
    bar->setValue(value);
    return bar;
}

// A group box's buttons, one under the other below its title.
void placeInGroups(QWidget* box, std::initializer_list<QWidget*> buttons, int step) {
    int top = 14;
    for (QWidget* b : buttons) {
        b->setGeometry(5, top, box->width() - 7, step);
        top += step;
    }
}

}  // namespace

ControlPanel::ControlPanel(const WindowActions& actions, QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    // The fixed places were made for a narrow 9-point face; the common
    // faces are wider at the window's size.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    // The style's grey for a disabled caption is the panel's own grey: a
    // box the pages disable ("Small Scr") would lose its caption.
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    setPalette(pal);

    auto* raceLabel = new QLabel(QStringLiteral("Race File Name"), this);
    raceList_ = new QComboBox(this);
    // A race added to the folder after start-up can be typed in.
    raceList_->setEditable(true);
    raceList_->setInsertPolicy(QComboBox::NoInsert);
    showButton_ = new QPushButton(QStringLiteral("SHOW"), this);
    autoNextBox_ = new QCheckBox(QStringLiteral("AutoNext"), this);
    autoNextBox_->setChecked(true);
    autoNextBox_->setStyleSheet(QStringLiteral("background: yellow;"));
    auto* screenShotLabel = new ClickLabel(QStringLiteral("SCR"), this);
    screenShotLabel->setStyleSheet(QStringLiteral("background: lime;"));
    screenShotLabel->setToolTip(QStringLiteral("SCREEN SHOT"));

    auto* pageBox = new QGroupBox(QStringLiteral("Page"), this);
    auto* trackPageButton = new QRadioButton(QStringLiteral("Track"), pageBox);
    auto* graphPageButton = new QRadioButton(QStringLiteral("Graph"), pageBox);
    auto* analysisPageButton = new QRadioButton(QStringLiteral("Anlys"), pageBox);
    trackPageButton->setChecked(true);

    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    northUpButton_ = new QRadioButton(QStringLiteral("Northwd"), orientationBox);
    windUpButton_ = new QRadioButton(QStringLiteral("Windwd"), orientationBox);
    northUpButton_->setChecked(true);

    autoTraceBox_ = new QCheckBox(QStringLiteral("Auto Trace"), this);
    autoTraceBox_->setChecked(true);
    layLineBox_ = new QCheckBox(QStringLiteral("Lay Line"), this);
    compLineBox_ = new QCheckBox(QStringLiteral("Comp Line"), this);
    showNameBox_ = new QCheckBox(QStringLiteral("Show Name"), this);
    showNameBox_->setChecked(true);
    bigBoatBox_ = new QCheckBox(QStringLiteral("Big Boat"), this);
    bigBoatBox_->setChecked(true);
    smallScreenBox_ = new QCheckBox(QStringLiteral("Small Scr"), this);
    tipsBox_ = new QCheckBox(QStringLiteral("Tips"), this);
    tipsBox_->setChecked(true);

    auto* seaBox = new QGroupBox(QStringLiteral("Sea Color"), this);
    autoSeaColourBox_ = new QCheckBox(QStringLiteral("AUTO"), seaBox);
    autoSeaColourBox_->setChecked(true);
    seaColourBar_ = horizontalBar(seaBox, 100, 100);
    auto* seaColourSample = new QLabel(seaBox);
    // What lies under the tracks, beside the sea colour it replaces: the
    // Layline row has no room left for a caption in Japanese.
    chartBox_ = new QCheckBox(QStringLiteral("Chart"), seaBox);
    seaColourSample->setAutoFillBackground(true);

    transport_ = new TransportPanel(actions, this);
    auto* zoomLabel = new QLabel(QStringLiteral("ZOOM"), this);
    zoomBar_ = horizontalBar(this, 100, 0);
    auto* speedLabel = new QLabel(QStringLiteral("SPEED"), this);
    speedBar_ = horizontalBar(this, kSpeedBarMax, 30);
    speedBar_->setPageStep(5);
    speedText_ = new QLabel(this);
    speedText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speedText_->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));

    auto* exitButton = new QPushButton(QStringLiteral("EXIT"), this);
    attachmentsButton_ = new QPushButton(QStringLiteral("Att Files"), this);
    googleEarthButton_ = new QPushButton(QStringLiteral("Google Earth"), this);
    weatherButton_ = new QPushButton(QStringLiteral("天気図"), this);
    auto* retouchButton = new QPushButton(QStringLiteral("Retouch"), this);
    maneuversButton_ = new QPushButton(QStringLiteral("Maneuvers"), this);
    maneuversButton_->setCheckable(true);
    videoButton_ = new QPushButton(QStringLiteral("Video"), this);
    videoButton_->setObjectName(QStringLiteral("videoButton"));
    connect(videoButton_, &QPushButton::clicked, actions[Command::Video], &QAction::trigger);
    connect(actions[Command::Video], &QAction::enabledChanged, videoButton_, &QWidget::setEnabled);
    standingsButton_ = new QPushButton(QStringLiteral("Rank"), this);
    standingsButton_->setCheckable(true);
    compareButton_ = new QPushButton(QStringLiteral("Compare"), this);
    compareButton_->setCheckable(true);
    // They work once a race is open.
    for (QPushButton* b : {attachmentsButton_, weatherButton_}) b->setEnabled(false);

    // Every control has its fixed place: the panel keeps its classic
    // 265 x 255, so the boat list and the overview keep their room on a
    // low screen and nothing ends above the window's top.
    const std::pair<QWidget*, QRect> places[] = {
        {raceLabel, {12, 12, 126, 12}},
        {raceList_, {11, 28, 186, 20}},
        {autoNextBox_, {175, 7, 72, 16}},
        {screenShotLabel, {118, 9, 25, 14}},
        {showButton_, {201, 28, 50, 19}},
        {pageBox, {12, 56, 65, 55}},
        {orientationBox, {83, 56, 78, 45}},
        {autoTraceBox_, {169, 51, 86, 17}},
        {layLineBox_, {169, 68, 86, 17}},
        {compLineBox_, {169, 85, 86, 17}},
        {showNameBox_, {169, 102, 86, 17}},
        {bigBoatBox_, {169, 119, 86, 17}},
        {smallScreenBox_, {169, 136, 86, 17}},
        {googleEarthButton_, {169, 153, 85, 17}},
        {attachmentsButton_, {169, 170, 85, 17}},
        {weatherButton_, {169, 187, 85, 17}},
        {tipsBox_, {207, 205, 47, 16}},
        {transport_, {10, 116, 69, 72}},
        {seaBox, {83, 109, 78, 78}},
        // The labels take the room up to their bars: "SPEED" is wider here.
        {zoomLabel, {11, 198, 36, 12}},
        {zoomBar_, {48, 197, 106, 16}},
        {speedLabel, {9, 226, 38, 12}},
        {speedBar_, {48, 225, 106, 16}},
        {speedText_, {162, 224, 39, 19}},
        {exitButton, {204, 226, 50, 19}},
    };
    for (const auto& [widget, place] : places) widget->setGeometry(place);
    QFont label = font();
    label.setPixelSize(9);
    for (QLabel* l : {zoomLabel, speedLabel}) l->setFont(label);
    placeInGroups(pageBox, {trackPageButton, graphPageButton, analysisPageButton}, 13);
    placeInGroups(orientationBox, {northUpButton_, windUpButton_}, 14);
    autoSeaColourBox_->setGeometry(5, 14, 68, 17);
    seaColourBar_->setGeometry(5, 34, 68, 16);
    seaColourSample->setGeometry(5, 54, 18, 16);
    chartBox_->setGeometry(26, 54, 50, 16);
    // The language switch and the tips find the controls by these names.
    setObjectName(QStringLiteral("controlPanel"));
    raceLabel->setObjectName(QStringLiteral("raceFileLabel"));
    orientationBox->setObjectName(QStringLiteral("orientationGroup"));
    const std::pair<QWidget*, const char*> named[] = {
        {raceList_, "raceList"},
        {showButton_, "showButton"},
        {autoNextBox_, "autoNextBox"},
        {screenShotLabel, "screenShotLabel"},
        {trackPageButton, "trackPageButton"},
        {graphPageButton, "graphPageButton"},
        {analysisPageButton, "analysisPageButton"},
        {northUpButton_, "northUpButton"},
        {windUpButton_, "windUpButton"},
        {autoTraceBox_, "autoTraceBox"},
        {layLineBox_, "layLineBox"},
        {compLineBox_, "compLineBox"},
        {chartBox_, "chartBox"},
        {showNameBox_, "showNameBox"},
        {bigBoatBox_, "bigBoatBox"},
        {smallScreenBox_, "smallScreenBox"},
        {tipsBox_, "tipsBox"},
        {exitButton, "exitButton"},
        {attachmentsButton_, "attachmentsButton"},
        {googleEarthButton_, "googleEarthButton"},
        {weatherButton_, "weatherButton"},
        {retouchButton, "retouchButton"},
        {standingsButton_, "standingsButton"},
        {compareButton_, "compareButton"},
        {maneuversButton_, "maneuversButton"},
        {zoomBar_, "zoomBar"},
        {speedBar_, "speedBar"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
    wire(actions, screenShotLabel, trackPageButton, graphPageButton, analysisPageButton, exitButton,
         retouchButton);
    retouchButton_ = retouchButton;
    readOptions();
    showSpeed(0, speedBar_->value());
}

void ControlPanel::wire(const WindowActions& actions, ClickLabel* screenShotLabel,
                        QRadioButton* trackPageButton, QRadioButton* graphPageButton,
                        QRadioButton* analysisPageButton, QPushButton* exitButton,
                        QPushButton* retouchButton) {
    connect(screenShotLabel, &ClickLabel::clicked, actions[Command::ScreenShot], &QAction::trigger);
    for (const auto& [button, command] :
         {std::pair{exitButton, Command::Exit}, std::pair{retouchButton, Command::Retouch}}) {
        connect(button, &QPushButton::clicked, actions[command], &QAction::trigger);
        connect(actions[command], &QAction::enabledChanged, button, &QWidget::setEnabled);
    }
    // The page buttons and the page actions are one choice, shown twice.
    for (const auto& [button, command] : {std::pair{trackPageButton, Command::TrackPage},
                                          std::pair{graphPageButton, Command::GraphPage},
                                          std::pair{analysisPageButton, Command::AnalysisPage}}) {
        QAction* a = actions[command];
        connect(button, &QRadioButton::toggled, a, [a](bool on) {
            if (on && !a->isChecked()) a->trigger();
        });
        connect(a, &QAction::toggled, button, &QRadioButton::setChecked);
        connect(a, &QAction::enabledChanged, button, &QWidget::setEnabled);
    }
    googleEarthButton_->installEventFilter(this);
    connect(actions[Command::GoogleEarth], &QAction::enabledChanged, googleEarthButton_,
            &QWidget::setEnabled);
    googleEarthAction_ = actions[Command::GoogleEarth];

    connect(showButton_, &QPushButton::clicked, this, [this] {
        emit showRequested(raceList_->currentText().trimmed(), raceList_->currentIndex());
    });
    connect(autoNextBox_, &QCheckBox::toggled, this, &ControlPanel::autoNextToggled);
    connect(autoSeaColourBox_, &QCheckBox::toggled, this, &ControlPanel::autoSeaColourToggled);
    connect(smallScreenBox_, &QCheckBox::toggled, this, [this](bool on) {
        readOptions();
        emit smallScreenToggled(on);
    });
    connect(tipsBox_, &QCheckBox::toggled, this, &ControlPanel::tipsToggled);
    connect(maneuversButton_, &QPushButton::toggled, this, &ControlPanel::maneuversToggled);
    connect(standingsButton_, &QPushButton::toggled, this, &ControlPanel::standingsToggled);
    connect(compareButton_, &QPushButton::toggled, this, &ControlPanel::compareToggled);
    connect(attachmentsButton_, &QPushButton::clicked, this, &ControlPanel::attachmentsRequested);
    connect(weatherButton_, &QPushButton::clicked, this, &ControlPanel::weatherRequested);
    connect(autoTraceBox_, &QCheckBox::toggled, this, [this](bool on) {
        readOptions();
        emit autoTraceToggled(on);
    });
    connect(northUpButton_, &QRadioButton::toggled, this, [this](bool northUp) {
        readOptions();
        if (quiet_) return;
        emit orientationChanged(northUp);
        emit displayOptionsChanged(options_);
    });
    for (QCheckBox* box : {layLineBox_, compLineBox_, showNameBox_, bigBoatBox_, chartBox_})
        connect(box, &QCheckBox::toggled, this, [this] {
            readOptions();
            emit displayOptionsChanged(options_);
        });
    for (QScrollBar* bar : {zoomBar_, seaColourBar_})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            readOptions();
            if (!quiet_) emit displayOptionsChanged(options_);
        });
    connect(speedBar_, &QScrollBar::sliderMoved, this,
            [this](int p) { emit speedChanged(p, true); });
    connect(speedBar_, &QScrollBar::valueChanged, this, [this](int p) {
        if (!quiet_) emit speedChanged(p, speedBar_->isSliderDown());
    });
}

void ControlPanel::follow(ReplayController& replay) {
    connect(&replay, &ReplayController::transportChanged, this, &ControlPanel::showTransport);
    connect(&replay, &ReplayController::speedChanged, this, &ControlPanel::showSpeed);
    connect(&replay, &ReplayController::seaLevelChanged, this, &ControlPanel::showSeaLevel);
    connect(this, &ControlPanel::speedChanged, &replay, &ReplayController::setSpeedBarPosition);
    connect(this, &ControlPanel::autoNextToggled, &replay, &ReplayController::setAutoNext);
    connect(this, &ControlPanel::autoSeaColourToggled, &replay,
            &ReplayController::setAutoSeaColour);
    connect(this, &ControlPanel::showRequested, &replay, [&replay](const QString& race, int index) {
        replay.showListed(race.toStdString(), index);
    });
    setRaces(replay.raceList());
    setAutoNext(!replay.editMode());
}

bool ControlPanel::eventFilter(QObject* watched, QEvent* event) {
    // A press, not a click: the right button has its own export.
    if (watched == googleEarthButton_ && event->type() == QEvent::MouseButtonPress &&
        googleEarthButton_->isEnabled()) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            emit googleEarthPressed(true);
        else
            googleEarthAction_->trigger();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ControlPanel::readOptions() {
    options_.northUp = northUpButton_->isChecked();
    options_.autoTrace = autoTraceBox_->isChecked();
    options_.layLine = layLineBox_->isChecked();
    options_.compLine = compLineBox_->isChecked();
    options_.chart = chartBox_->isChecked();
    options_.showName = showNameBox_->isChecked();
    options_.bigBoat = bigBoatBox_->isChecked();
    options_.smallScreen = smallScreenBox_->isChecked();
    options_.seaLevel = seaColourBar_->value();
    options_.zoomPosition = zoomBar_->value();
}

void ControlPanel::setDisplayOptions(const DisplayOptions& o) {
    {
        const QSignalBlocker b1(northUpButton_), b2(windUpButton_), b3(layLineBox_),
            b4(compLineBox_), b5(showNameBox_), b6(bigBoatBox_), b7(seaColourBar_), b8(zoomBar_);
        (o.northUp ? northUpButton_ : windUpButton_)->setChecked(true);
        layLineBox_->setChecked(o.layLine);
        compLineBox_->setChecked(o.compLine);
        {
            const QSignalBlocker quiet(chartBox_);
            chartBox_->setChecked(o.chart);
        }
        showNameBox_->setChecked(o.showName);
        bigBoatBox_->setChecked(o.bigBoat);
        seaColourBar_->setValue(o.seaLevel);
        zoomBar_->setValue(o.zoomPosition);
    }
    // These two have their own consequences (the replay, the layout).
    autoTraceBox_->setChecked(o.autoTrace);
    smallScreenBox_->setChecked(o.smallScreen);
    const bool turned = options_.northUp != o.northUp;
    readOptions();
    if (turned) emit orientationChanged(options_.northUp);
    emit displayOptionsChanged(options_);
}

void ControlPanel::showOpening(int zoomPosition, bool northUp, bool editMode) {
    setAutoNext(!editMode);
    setTips(true);
    setAutoTrace(true);
    quiet_ = true;
    {
        const QSignalBlocker z(zoomBar_);
        zoomBar_->setValue(zoomPosition);
    }
    (northUp ? northUpButton_ : windUpButton_)->setChecked(true);
    quiet_ = false;
    readOptions();
}

void ControlPanel::showSeaLevel(int level) {
    const QSignalBlocker block(seaColourBar_);
    seaColourBar_->setValue(level);
    readOptions();
}

void ControlPanel::turnZoom(int delta) {
    zoomBar_->setValue(wheelZoomPosition(zoomBar_->value(), delta, autoTraceBox_->isChecked()));
}

void ControlPanel::setRaces(const std::vector<std::string>& names) {
    raceList_->clear();
    for (const std::string& name : names) raceList_->addItem(QString::fromStdString(name));
}

void ControlPanel::showRace(int index) {
    raceList_->setCurrentIndex(index);
}

void ControlPanel::setMapControlsEnabled(bool on) {
    raceList_->setEnabled(on);
    showButton_->setEnabled(on);
    smallScreenBox_->setEnabled(on);
}

void ControlPanel::setRaceButtonsEnabled(bool attachments, bool weather) {
    attachmentsButton_->setEnabled(attachments);
    weatherButton_->setEnabled(weather);
}

QPoint ControlPanel::attachmentsButtonAt(const QWidget* area) const {
    return attachmentsButton_->mapTo(area, QPoint(0, 0));
}

void ControlPanel::lendButtons(QWidget* host, const QRect& room) {
    // Buttons of our own that the classic panel had no room for: the video
    // button beside help in the top row, three rows under them.
    constexpr int kTopRow = 20;
    const int h = (room.height() - kTopRow - 3) / 3;
    for (auto [button, row] : {std::pair{retouchButton_, 2}, std::pair{compareButton_, 1},
                               std::pair{maneuversButton_, 0}}) {
        button->setParent(host);
        button->setGeometry(room.left(), room.bottom() + 1 - (row + 1) * h - row, room.width(), h);
        button->show();
    }
    // Right of the help button, which takes the first 28 pixels of the row.
    constexpr int kVideoWidth = 38;
    videoButton_->setParent(host);
    videoButton_->setGeometry(room.right() + 1 - kVideoWidth, room.top(), kVideoWidth, kTopRow);
    videoButton_->show();
}

void ControlPanel::lendStandingsButton(QWidget* host, const QRect& at, bool shown) {
    if (standingsButton_->parentWidget() != host) standingsButton_->setParent(host);
    standingsButton_->setGeometry(at);
    standingsButton_->setVisible(shown);
    if (shown) standingsButton_->raise();
}

void ControlPanel::showSpeed(int raceSecondsPerSecond, int barPosition) {
    quiet_ = true;
    speedBar_->setValue(barPosition);
    quiet_ = false;
    speedText_->setText(QString::number(raceSecondsPerSecond) + QStringLiteral("X"));
}

}  // namespace korvane

#include "app/control_panel.h"

#include <QCoreApplication>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace korvane {

namespace {

QScrollBar* horizontalBar(QWidget* parent, int max, int value) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(0, max);
    bar->setValue(value);
    return bar;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* l = new QHBoxLayout;
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    for (QWidget* w : widgets) l->addWidget(w);
    return l;
}

}  // namespace

ControlPanel::ControlPanel(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kWidth);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    // The style's grey for a disabled caption is the panel's own grey: a
    // box the pages disable ("Small Scr") would lose its caption.
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    setPalette(pal);

    auto* raceLabel = new QLabel(QStringLiteral("Race File Name"), this);
    raceList = new QComboBox(this);
    raceList->setMinimumWidth(150);
    showButton = new QPushButton(QStringLiteral("SHOW"), this);
    autoNextBox = new QCheckBox(QStringLiteral("AutoNext"), this);
    autoNextBox->setChecked(true);
    autoNextBox->setStyleSheet(QStringLiteral("background: yellow;"));
    screenShotLabel = new ClickLabel(QStringLiteral("SCR"), this);
    screenShotLabel->setStyleSheet(QStringLiteral("background: lime;"));
    screenShotLabel->setToolTip(QStringLiteral("SCREEN SHOT"));

    auto* pageBox = new QGroupBox(QStringLiteral("Page"), this);
    trackPageButton = new QRadioButton(QStringLiteral("Track"), pageBox);
    graphPageButton = new QRadioButton(QStringLiteral("Graph"), pageBox);
    analysisPageButton = new QRadioButton(QStringLiteral("Anlys"), pageBox);
    trackPageButton->setChecked(true);
    auto* pageLayout = new QHBoxLayout(pageBox);
    for (QRadioButton* b : {trackPageButton, graphPageButton, analysisPageButton})
        pageLayout->addWidget(b);

    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    northUpButton = new QRadioButton(QStringLiteral("Northwd"), orientationBox);
    windUpButton = new QRadioButton(QStringLiteral("Windwd"), orientationBox);
    northUpButton->setChecked(true);
    auto* orientationLayout = new QHBoxLayout(orientationBox);
    orientationLayout->addWidget(northUpButton);
    orientationLayout->addWidget(windUpButton);

    autoTraceBox = new QCheckBox(QStringLiteral("Auto Trace"), this);
    autoTraceBox->setChecked(true);
    layLineBox = new QCheckBox(QStringLiteral("Lay Line"), this);
    compLineBox = new QCheckBox(QStringLiteral("Comp Line"), this);
    showNameBox = new QCheckBox(QStringLiteral("Show Name"), this);
    showNameBox->setChecked(true);
    bigBoatBox = new QCheckBox(QStringLiteral("Big Boat"), this);
    bigBoatBox->setChecked(true);
    smallScreenBox = new QCheckBox(QStringLiteral("Small Scr"), this);
    tipsBox = new QCheckBox(QStringLiteral("Tips"), this);
    tipsBox->setChecked(true);

    auto* seaBox = new QGroupBox(QStringLiteral("Sea Color"), this);
    autoSeaColourBox = new QCheckBox(QStringLiteral("AUTO"), seaBox);
    autoSeaColourBox->setChecked(true);
    seaColourBar = horizontalBar(seaBox, 100, 100);
    seaColourSample = new QLabel(seaBox);
    seaColourSample->setFixedSize(20, 14);
    seaColourSample->setAutoFillBackground(true);
    auto* seaLayout = new QHBoxLayout(seaBox);
    seaLayout->addWidget(autoSeaColourBox);
    seaLayout->addWidget(seaColourBar, 1);
    seaLayout->addWidget(seaColourSample);

    transport = new TransportPanel(this);
    auto* zoomLabel = new QLabel(QStringLiteral("ZOOM"), this);
    zoomBar = horizontalBar(this, 100, 0);
    auto* speedLabel = new QLabel(QStringLiteral("SPEED"), this);
    speedBar = horizontalBar(this, kSpeedBarMax, 30);
    speedBar->setPageStep(5);
    speedText = new QLabel(this);
    speedText->setFixedWidth(48);
    speedText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speedText->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));

    exitButton = new QPushButton(QStringLiteral("EXIT"), this);
    attachmentsButton = new QPushButton(QStringLiteral("Att Files"), this);
    googleEarthButton = new QPushButton(QStringLiteral("Google Earth"), this);
    weatherButton = new QPushButton(QStringLiteral("天気図"), this);
    retouchButton = new QPushButton(QStringLiteral("Retouch"), this);
    maneuversButton = new QPushButton(QStringLiteral("Maneuvers"), this);
    maneuversButton->setCheckable(true);
    // They work once a race is open.
    for (QPushButton* b : {attachmentsButton, weatherButton}) b->setEnabled(false);

    auto* bars = new QGridLayout;
    bars->addWidget(zoomLabel, 0, 0);
    bars->addWidget(zoomBar, 0, 1, 1, 2);
    bars->addWidget(speedLabel, 1, 0);
    bars->addWidget(speedBar, 1, 1);
    bars->addWidget(speedText, 1, 2);

    auto* checks = new QGridLayout;
    checks->setSpacing(0);
    const QCheckBox* order[] = {autoTraceBox, layLineBox,     compLineBox, showNameBox,
                                bigBoatBox,   smallScreenBox, tipsBox};
    int k = 0;
    for (const QCheckBox* box : order) {
        checks->addWidget(const_cast<QCheckBox*>(box), k / 2, k % 2);
        ++k;
    }

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(4, 2, 4, 2);
    main->setSpacing(2);
    main->addWidget(raceLabel);
    main->addLayout(row({raceList, showButton}));
    main->addLayout(row({autoNextBox, screenShotLabel}));
    main->addWidget(pageBox);
    main->addWidget(orientationBox);
    main->addLayout(checks);
    main->addWidget(seaBox);
    auto* middle = new QHBoxLayout;
    middle->addWidget(transport);
    middle->addLayout(bars, 1);
    main->addLayout(middle);
    main->addLayout(row({exitButton, attachmentsButton}));
    main->addLayout(row({googleEarthButton, weatherButton}));
    main->addLayout(row({retouchButton, maneuversButton}));
    clockLabel = new QLabel(this);
    clockLabel->setAlignment(Qt::AlignCenter);
    clockLabel->setStyleSheet(QStringLiteral("background: black; color: yellow;"));
    main->addWidget(clockLabel);
    // The language switch and the tips find the controls by these names.
    setObjectName(QStringLiteral("controlPanel"));
    raceLabel->setObjectName(QStringLiteral("raceFileLabel"));
    orientationBox->setObjectName(QStringLiteral("orientationGroup"));
    const std::pair<QWidget*, const char*> named[] = {
        {raceList, "raceList"},
        {showButton, "showButton"},
        {autoNextBox, "autoNextBox"},
        {screenShotLabel, "screenShotLabel"},
        {trackPageButton, "trackPageButton"},
        {graphPageButton, "graphPageButton"},
        {analysisPageButton, "analysisPageButton"},
        {northUpButton, "northUpButton"},
        {windUpButton, "windUpButton"},
        {autoTraceBox, "autoTraceBox"},
        {layLineBox, "layLineBox"},
        {compLineBox, "compLineBox"},
        {showNameBox, "showNameBox"},
        {bigBoatBox, "bigBoatBox"},
        {smallScreenBox, "smallScreenBox"},
        {tipsBox, "tipsBox"},
        {exitButton, "exitButton"},
        {attachmentsButton, "attachmentsButton"},
        {googleEarthButton, "googleEarthButton"},
        {weatherButton, "weatherButton"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
    fitHeight();
    showSpeed(0);
}

void ControlPanel::fitHeight() {
    // New captions and fonts reach the layouts through posted requests; the
    // size they need is known once those are settled.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    setFixedHeight(std::max(kHeight, sizeHint().height()));
}

void ControlPanel::showSpeed(int raceSecondsPerSecond) {
    speedText->setText(QString::number(raceSecondsPerSecond) + QStringLiteral("X"));
}

}  // namespace korvane

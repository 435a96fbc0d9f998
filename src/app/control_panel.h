// The control panel: the race list, the page and orientation choices, what
// the map shows, the sea colour, the transport, zoom and replay speed, and
// the buttons that leave the replay (exports, documents, EXIT). It holds the
// controls; MainWindow connects them to what they do.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include "app/click_label.h"
#include "app/transport_panel.h"

namespace korvane {

class ControlPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 265;
    static constexpr int kHeight = 368;
    static constexpr int kSpeedBarMax = 136;

    explicit ControlPanel(QWidget* parent = nullptr);

    // The speed read-out beside the bar: "30X".
    void showSpeed(int racesSecondsPerSecond);
    // As tall as its controls need with their present captions and font, at
    // least the panel's classic height.
    void fitHeight();

    QComboBox* raceList = nullptr;
    QPushButton* showButton = nullptr;
    QCheckBox* autoNextBox = nullptr;
    ClickLabel* screenShotLabel = nullptr;
    QRadioButton* trackPageButton = nullptr;
    QRadioButton* graphPageButton = nullptr;
    QRadioButton* analysisPageButton = nullptr;
    QRadioButton* northUpButton = nullptr;
    QRadioButton* windUpButton = nullptr;
    QCheckBox* autoTraceBox = nullptr;
    QCheckBox* layLineBox = nullptr;
    QCheckBox* compLineBox = nullptr;
    QCheckBox* showNameBox = nullptr;
    QCheckBox* bigBoatBox = nullptr;
    QCheckBox* smallScreenBox = nullptr;
    QCheckBox* tipsBox = nullptr;
    QCheckBox* autoSeaColourBox = nullptr;
    QScrollBar* seaColourBar = nullptr;
    QLabel* seaColourSample = nullptr;
    TransportPanel* transport = nullptr;
    QScrollBar* zoomBar = nullptr;
    QScrollBar* speedBar = nullptr;
    QLabel* speedText = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* attachmentsButton = nullptr;
    QPushButton* googleEarthButton = nullptr;
    QPushButton* weatherButton = nullptr;
    QPushButton* retouchButton = nullptr;
    QPushButton* maneuversButton = nullptr;  // shows the maneuver table
    QLabel* clockLabel = nullptr;            // date and time of the replayed instant
};

}  // namespace korvane

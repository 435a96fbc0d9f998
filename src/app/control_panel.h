// The control panel: the race list, the page and orientation choices, what
// the map shows, the sea colour, the transport, zoom and replay speed, and
// the buttons that leave the replay (exports, documents, EXIT). Its controls
// are its own: it says what the user asked for (intents and the window's
// actions) and shows what it is told.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <vector>

#include "app/click_label.h"
#include "app/display_options.h"
#include "app/transport_panel.h"
#include "app/window_actions.h"

namespace korvane {

class ReplayController;

class ControlPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 265;
    static constexpr int kHeight = 255;
    static constexpr int kSpeedBarMax = 136;

    ControlPanel(const WindowActions& actions, QWidget* parent = nullptr);

    // Shows what `replay` does and asks it for what the user wants.
    void follow(ReplayController& replay);

    // Where the language flags and the help label stand in the panel.
    static constexpr QPoint kFlagsAt{170, 207};
    static constexpr QRect kHelpLabelAt{150, 9, 20, 14};
    // The retouch, compare and maneuver buttons stand at the foot of `room` in `host`.
    void lendButtons(QWidget* host, const QRect& room);
    // The standings switch stands at `at` in `host` (the side room is full),
    // while `shown`.
    void lendStandingsButton(QWidget* host, const QRect& at, bool shown);

    const DisplayOptions& displayOptions() const { return options_; }
    // Shows `options` and announces them as the user's choice.
    void setDisplayOptions(const DisplayOptions& options);

    // What the replay says.
    void showSpeed(int racesSecondsPerSecond, int barPosition);
    void showTransport(Transport transport) { transport_->showTransport(transport); }
    Transport litTransport() const { return transport_->litTransport(); }
    void showSeaLevel(int level);
    QString speedText() const { return speedText_->text(); }
    int speedBarPosition() const { return speedBar_->value(); }

    // The race list and its choice.
    void setRaces(const std::vector<std::string>& names);
    void showRace(int index);
    QString raceText() const { return raceList_->currentText(); }
    int raceCount() const { return raceList_->count(); }
    int raceIndex() const { return raceList_->currentIndex(); }

    // A race opens: the zoom and orientation it starts with, without the
    // map redrawing for each, and the boxes every opening ticks again
    // (AutoNext only when browsing).
    void showOpening(int zoomPosition, bool northUp, bool editMode);
    void setAutoNext(bool on) { autoNextBox_->setChecked(on); }
    bool autoNext() const { return autoNextBox_->isChecked(); }
    bool autoSeaColour() const { return autoSeaColourBox_->isChecked(); }
    void setAutoTrace(bool on) { autoTraceBox_->setChecked(on); }
    void setSmallScreen(bool on) { smallScreenBox_->setChecked(on); }
    bool tipsOn() const { return tipsBox_->isChecked(); }
    void setTips(bool on) { tipsBox_->setChecked(on); }
    bool maneuversShown() const { return maneuversButton_->isChecked(); }
    void setManeuversShown(bool on) { maneuversButton_->setChecked(on); }
    bool standingsShown() const { return standingsButton_->isChecked(); }
    void setStandingsShown(bool on) { standingsButton_->setChecked(on); }
    bool compareShown() const { return compareButton_->isChecked(); }
    void setCompareShown(bool on) { compareButton_->setChecked(on); }
    // The race list, SHOW and Small Scr work on the map page only.
    void setMapControlsEnabled(bool on);
    bool showEnabled() const { return showButton_->isEnabled(); }
    void setRaceButtonsEnabled(bool attachments, bool weather);
    bool weatherEnabled() const { return weatherButton_->isEnabled(); }
    // The wheel moves the zoom bar.
    void turnZoom(int delta);
    // Where the attachments list stands beside its button, in `area`.
    QPoint attachmentsButtonAt(const QWidget* area) const;

  signals:
    void showRequested(const QString& race, int index);
    void autoNextToggled(bool on);
    void autoTraceToggled(bool on);
    void autoSeaColourToggled(bool on);
    void smallScreenToggled(bool on);
    void tipsToggled(bool on);
    void maneuversToggled(bool on);
    void standingsToggled(bool on);
    void compareToggled(bool on);
    void attachmentsRequested();
    void weatherRequested();
    // A press on "Google Earth": the right button exports the scene on show.
    void googleEarthPressed(bool presentScene);
    void speedChanged(int position, bool byUser);
    void displayOptionsChanged(const DisplayOptions& options);
    void orientationChanged(bool northUp);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void readOptions();
    void wire(const WindowActions& actions, ClickLabel* screenShotLabel,
              QRadioButton* trackPageButton, QRadioButton* graphPageButton,
              QRadioButton* analysisPageButton, QPushButton* exitButton,
              QPushButton* retouchButton);

    DisplayOptions options_;
    bool quiet_ = false;  // showing, not the user choosing
    QComboBox* raceList_ = nullptr;
    QPushButton* showButton_ = nullptr;
    QCheckBox* autoNextBox_ = nullptr;
    QRadioButton* northUpButton_ = nullptr;
    QRadioButton* windUpButton_ = nullptr;
    QCheckBox* autoTraceBox_ = nullptr;
    QCheckBox* layLineBox_ = nullptr;
    QCheckBox* compLineBox_ = nullptr;
    QCheckBox* chartBox_ = nullptr;
    QCheckBox* showNameBox_ = nullptr;
    QCheckBox* bigBoatBox_ = nullptr;
    QCheckBox* smallScreenBox_ = nullptr;
    QCheckBox* tipsBox_ = nullptr;
    QCheckBox* autoSeaColourBox_ = nullptr;
    QScrollBar* seaColourBar_ = nullptr;
    TransportPanel* transport_ = nullptr;
    QScrollBar* zoomBar_ = nullptr;
    QScrollBar* speedBar_ = nullptr;
    QLabel* speedText_ = nullptr;
    QPushButton* attachmentsButton_ = nullptr;
    QPushButton* googleEarthButton_ = nullptr;
    QPushButton* weatherButton_ = nullptr;
    QPushButton* maneuversButton_ = nullptr;
    QPushButton* standingsButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* retouchButton_ = nullptr;
    QPushButton* videoButton_ = nullptr;
    QAction* googleEarthAction_ = nullptr;
};

}  // namespace korvane

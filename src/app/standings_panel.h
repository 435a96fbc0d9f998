// The standings beside the replay: a sortable table of every boat's place,
// gap and speed at the replay time, which turns into the results once the
// last boat has finished and stays so until another race opens. A click on
// a row names the boat for the map to pick out and keep in the middle; the
// two buttons write the results as CSV or as an HTML page into the
// documents folder and hand the file to the desktop.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/standings_model.h"

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace korvane {

class ControlPanel;
class MapView;
struct WindowLayout;
class ReplayController;
struct DisplayState;

class StandingsPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 540;
    static constexpr int kHeight = 260;
    // While the replay plays, the table is worked out at most this often.
    static constexpr int kPlayingRefreshMs = 250;
    // Real seconds of play a frame may add beyond the time since a refresh.
    static constexpr double kFrameSlack = 0.1;
    // Between the switch and the stopwatch's button under it.
    static constexpr int kSwitchGap = 2;

    explicit StandingsPanel(QWidget* parent = nullptr);

    // New races, edits and the replay time come from the controller; the
    // table is worked out only while the panel is on show.
    void follow(ReplayController& controller);
    // follow(), and the control panel's switch shows and hides the panel; the
    // map leaves the panel's part alone, and `redraw` draws the map again
    // when a boat was picked.
    void attach(ReplayController& controller, ControlPanel& controls, MapView& map,
                std::function<void()> redraw);
    // Low on the map, right of the picture settings and above the time-mode
    // panel: the finish list and the pictures take the top right, the
    // compass and the wind graph the top left. The switch stands above the
    // stopwatch's button, on the track page only.
    void place(const WindowLayout& layout, bool trackPage);
    // The picked boat, highlighted and kept in the middle of the map.
    void showIn(DisplayState& display) const;
    void setSession(std::shared_ptr<const RaceSession> session);
    // Shows the standings at t (when on show) and the heading that goes
    // with them.
    void showTime(double timeSeconds);

    // The boat the user picked in the table, while the panel is on show.
    std::optional<int> centredBoat() const;
    const StandingsModel& model() const { return model_; }
    // Writes the results file; empty when it could not be written.
    std::optional<std::filesystem::path> exportResults(bool html);

  signals:
    void boatPicked(int slot);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showHeading();
    void fitColumns();

    StandingsModel model_;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* heading_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* htmlButton_ = nullptr;
    std::optional<int> picked_;
    std::optional<double> lastTime_;
    QElapsedTimer sinceRefresh_;
    ControlPanel* controls_ = nullptr;
    double shownFrom_ = 0;  // the time of the last refresh
};

}  // namespace korvane

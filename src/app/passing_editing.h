// The window's side of mark passing corrections: the picked boat's passings
// and candidates go onto the time bar and the map; clicks, drags and the
// passing panel's buttons become corrections, each one step of an undo
// stack. Every step recomputes the legs into a new session at once (the
// window shows it like an edited course) and rewrites the corrections file
// beside the race file.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "analysis/passing_candidates.h"
#include "app/boat_panel.h"
#include "app/course_editing.h"
#include "app/map_view.h"
#include "app/passing_panel.h"
#include "app/replay_controller.h"
#include "app/time_bar.h"

namespace korvane {

class MainWindow;

class PassingEditing : public QObject {
    Q_OBJECT
  public:
    // On the window's time bar and map. The passings shown are those of the
    // boat pinned in the boat list, else of the winner; their texts follow
    // the window's language, and a correction outlives the next course edit.
    explicit PassingEditing(MainWindow& window);

    PassingPanel* panel() const { return panel_; }
    QUndoStack& undoStack() { return undo_; }
    std::optional<int> boat() const { return boat_; }
    // The course point the panel shows.
    std::optional<int> point() const { return point_; }
    const std::vector<PassingExplanation>& explanations() const { return explained_; }

    // The boat to show may have changed (the boat list, a new winner).
    void refresh();
    // What the time bar and the panel ask for; tests call them too.
    void choosePoint(int point);
    void pinAt(int point, double shownSeconds);
    void markNotPassed(int point);
    void restore(int point);

  signals:
    // The corrected session, to be shown everywhere at once.
    void edited(std::shared_ptr<const RaceSession> session);
    // Also shown in a box over the window.
    void failed(const QString& message);

  private:
    friend class PassingCorrectionStep;
    void setSession(std::shared_ptr<const RaceSession> session, bool newRace);
    void change(PassingCorrections next);
    void apply(const PassingCorrections& corrections);
    QString factsOf(int point, const PassingMoment* moment, bool chosen) const;
    void showPanel();
    void placePanel();

    ReplayController& controller_;
    TimeBar* bar_;
    MapView* map_;
    PassingPanel* panel_;
    BoatPanel* boats_;
    MainWindow& window_;
    std::shared_ptr<const RaceSession> session_;
    std::optional<int> boat_;
    std::optional<int> point_;
    std::vector<PassingExplanation> explained_;
    QUndoStack undo_;
};

}  // namespace korvane

// The two finish panels of a race: the overall ranking, uncovered as boats
// finish, and the class ranking, redrawn at each finish when classes race
// apart. Also says which boat won, for the time bar's stripes.
#pragma once

#include <optional>
#include <vector>

#include "app/finish_panel.h"
#include "session/race_session.h"
#include "view/ranking_pictures.h"

namespace korvane {

class FinishBoard {
  public:
    FinishBoard(FinishPanel* overall, FinishPanel* byClass)
        : overall_(overall), byClass_(byClass) {}

    // Draws the overall ranking of a newly opened race (when it has a line
    // to finish on) and hides both panels.
    void setSession(const RaceSession& session);
    // The replay has seen `count` boats finish; finished[b] says which.
    void showFinishers(int count, const std::vector<bool>& finished);
    void clear();
    // The winner (0-based), nothing when no boat finished.
    std::optional<int> winner() const { return winner_; }
    const std::vector<RankedBoat>& finishers() const { return finishers_; }

  private:
    FinishPanel* overall_;
    FinishPanel* byClass_;
    const RaceModel* model_ = nullptr;
    std::vector<RankedBoat> finishers_;
    std::optional<int> winner_;
    bool classesApart_ = false;
};

}  // namespace korvane

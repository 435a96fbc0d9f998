// The two finish panels of a race: the overall ranking, uncovered as boats
// finish, and the class ranking, redrawn at each finish when classes race
// apart. Also says which boat won, for the time bar's stripes.
#pragma once

#include <QObject>
#include <functional>
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

// The two ranking panels step out of the pointer's way, so the boats beneath
// stay in sight. A side the pointer chose stays while boats finish; a new
// race or a resized window puts the panels back.
class RankingDodge : public QObject {
  public:
    RankingDodge(FinishPanel* overall, FinishPanel* byClass, std::function<QSize()> mapSize);
    // The overall ranking's place in the layout; the class ranking beside it.
    void place(QPoint overallAt);
    void forget() { aside_ = byClassAside_ = false; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FinishPanel* overall_;
    FinishPanel* byClass_;
    std::function<QSize()> mapSize_;
    bool aside_ = false;
    bool byClassAside_ = false;
};

}  // namespace korvane

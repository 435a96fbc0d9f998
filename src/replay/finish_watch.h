// Which boats the replay has seen cross the finish: each finisher is reported
// once, when the replay time first reaches its finishing time, so the window
// fires one gun and uncovers one row of the ranking for it. This class does
// not rank the boats; the ranking picture is drawn when a race opens.
#pragma once

#include <optional>
#include <vector>

namespace korvane {

class FinishWatch {
  public:
    // finishTimesSeconds[b]: boat b's (0-based) passing of the last course point, race
    // seconds, or nothing when it never finished.
    void setFinishTimes(std::vector<std::optional<double>> finishTimesSeconds);

    // Boats newly finished at `timeSeconds` of a timeline ending at `timelineEndSeconds`,
    // in boat order; empties the ranking when the time lies in the first 30 % of it.
    std::vector<int> update(double timeSeconds, double timelineEndSeconds);

    // Forgets every finish when `timeSeconds` is before the winner's; true when any was
    // forgotten.
    bool forgetIfBeforeWinner(double timeSeconds);

    // Forgets every finish (a jump on the time bar, a new race).
    void reset();

    // True when the ranking panel was emptied by the last update.
    bool rankingCleared() const { return rankingCleared_; }
    int finisherCount() const { return count_; }
    // finished()[b]: boat b has been seen to finish.
    const std::vector<bool>& finished() const { return finished_; }
    // The winner's finishing time, nothing when no boat finished.
    std::optional<double> winnerSeconds() const { return winner_; }

  private:
    std::vector<std::optional<double>> finishTimes_;
    std::vector<bool> finished_;
    std::optional<double> winner_;
    int count_ = 0;
    bool rankingCleared_ = false;
};

}  // namespace korvane

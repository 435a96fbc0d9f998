#include "replay/finish_watch.h"

#include <algorithm>
#include <utility>

#include "base/numbers.h"

namespace korvane {

void FinishWatch::setFinishTimes(std::vector<std::optional<double>> finishTimesSeconds) {
    finishTimes_ = std::move(finishTimesSeconds);
    winner_.reset();
    for (const auto& t : finishTimes_)
        if (t && (!winner_ || *t < *winner_)) winner_ = *t;
    reset();
}

std::vector<int> FinishWatch::update(double timeSeconds, double timelineEndSeconds) {
    std::vector<int> newcomers;
    rankingCleared_ = false;
    const double earlyPart = 0.3 * timelineEndSeconds;
    if (timeSeconds < earlyPart) {
        rankingCleared_ = count_ > 0;
        // Marks go with the count: a panel emptied while marks stayed would never
        // show those boats again.
        reset();
        return newcomers;
    }
    if (!winner_ || timeSeconds <= earlyPart || timeSeconds <= *winner_ - 5) return newcomers;
    for (std::size_t b = 0; b < finishTimes_.size(); ++b) {
        const auto& t = finishTimes_[b];
        if (!t || *t <= 0 || finished_[b] || roundHalfEven(*t) > timeSeconds) continue;
        finished_[b] = true;
        ++count_;
        newcomers.push_back(static_cast<int>(b));
    }
    return newcomers;
}

bool FinishWatch::forgetIfBeforeWinner(double timeSeconds) {
    if (!winner_ || timeSeconds >= *winner_ || count_ == 0) return false;
    reset();
    return true;
}

void FinishWatch::reset() {
    finished_.assign(finishTimes_.size(), false);
    count_ = 0;
}

}  // namespace korvane

#include "app/finish_board.h"

#include <algorithm>

namespace korvane {

void FinishBoard::setSession(const RaceSession& s) {
    model_ = &s.model;
    std::vector<int> ranks;
    for (const BoatLegResult& r : s.legs.boats) ranks.push_back(r.finishRank);
    finishers_ = rankedFinishers(s.model, s.legs.lastPointTimes(), ranks);
    const bool hasLine = !s.model.lines.empty();
    RankingPicture ranking =
        drawRanking(hasLine ? finishers_ : std::vector<RankedBoat>{}, s.model.boatCount());
    winner_ = ranking.winnerIndex;
    overall_->setPicture(std::move(ranking.image));
    classesApart_ = s.model.classesSeparated && s.model.classes.count() > 0;
    byClass_->setPicture(QImage());
    clear();
}

void FinishBoard::showFinishers(int count, const std::vector<bool>& finished) {
    overall_->showRows(count);
    if (count > 0) overall_->show();
    if (!classesApart_ || !model_) return;
    // Class headers over no boat are no ranking: the panel waits for a row.
    const bool anyRow = std::any_of(finishers_.begin(), finishers_.end(), [&](const RankedBoat& f) {
        const auto b = static_cast<std::size_t>(f.boatIndex);
        return f.classSlot && b < finished.size() && finished[b];
    });
    if (!anyRow) {
        byClass_->hide();
        return;
    }
    byClass_->setPicture(drawClassRanking(*model_, finishers_, finished));
    byClass_->showWhole();
    byClass_->show();
}

void FinishBoard::clear() {
    overall_->clearRows();
    byClass_->hide();
}

}  // namespace korvane

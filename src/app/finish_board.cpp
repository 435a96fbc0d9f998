#include "app/finish_board.h"

#include <QEvent>
#include <algorithm>

#include "app/window_layout.h"

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

RankingDodge::RankingDodge(FinishPanel* overall, FinishPanel* byClass,
                           std::function<QSize()> mapSize)
    : QObject(overall), overall_(overall), byClass_(byClass), mapSize_(std::move(mapSize)) {
    overall_->installEventFilter(this);
    byClass_->installEventFilter(this);
}

void RankingDodge::place(QPoint overallAt) {
    overall_->move(aside_ ? overall_->x() : overallAt.x(), overallAt.y());
    if (!byClassAside_)
        byClass_->move(overall_->x() - byClass_->width() - kPanelMargin, overall_->y());
}

bool RankingDodge::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter && (watched == overall_ || watched == byClass_)) {
        ScorePlaces places{overall_->geometry(), byClass_->geometry()};
        // The class ranking is its picture almost to the edge.
        places = moveOutOfTheWay(
            watched == overall_ ? ScoreHover::Ranking : ScoreHover::ClassRankingPicture, places,
            mapSize_());
        aside_ = aside_ || places.ranking.topLeft() != overall_->pos();
        byClassAside_ = byClassAside_ || places.classRanking->topLeft() != byClass_->pos();
        overall_->move(places.ranking.topLeft());
        byClass_->move(places.classRanking->topLeft());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace korvane

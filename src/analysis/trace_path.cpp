#include "analysis/trace_path.h"

#include <cmath>
#include <cstdlib>

namespace korvane {

void TracePath::put(QPoint p) {
    QPolygon& piece = pieces_.back();
    if (piece.isEmpty() || piece.back() != p) piece.append(p);
}

void TracePath::flushRow() {
    if (!inRow_) return;
    put(first_);
    // The extremes in the order they were reached, so the row is swept the
    // way the fixes swept it.
    if (minOrder_ <= maxOrder_) {
        put(min_);
        put(max_);
    } else {
        put(max_);
        put(min_);
    }
    put(last_);
    inRow_ = false;
}

void TracePath::add(QPoint p) {
    if (inRow_ && wrap_ && std::abs(p.x() - last_.x()) * 2 > wrap_->right - wrap_->left) {
        const QPoint from = last_;
        flushRow();
        const int ym = static_cast<int>(std::nearbyint((from.y() + p.y()) / 2.0));
        const bool rightward = from.x() < p.x();
        put({rightward ? wrap_->left : wrap_->right, ym});
        pieces_.emplace_back();
        put({rightward ? wrap_->right : wrap_->left, ym});
    } else if (inRow_ && p.y() == last_.y()) {
        ++order_;
        if (p.x() < min_.x()) {
            min_ = p;
            minOrder_ = order_;
        }
        if (p.x() > max_.x()) {
            max_ = p;
            maxOrder_ = order_;
        }
        last_ = p;
        return;
    } else {
        flushRow();
    }
    inRow_ = true;
    first_ = last_ = min_ = max_ = p;
    order_ = minOrder_ = maxOrder_ = 0;
}

std::vector<QPolygon> TracePath::finish() {
    flushRow();
    std::vector<QPolygon> out;
    for (QPolygon& piece : pieces_)
        if (!piece.isEmpty()) out.push_back(std::move(piece));
    pieces_.assign(1, QPolygon());
    return out;
}

}  // namespace korvane

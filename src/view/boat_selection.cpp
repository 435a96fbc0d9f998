#include "view/boat_selection.h"

#include <algorithm>

namespace korvane {

void BoatSelection::reset(const RaceModel& model) {
    checked_.clear();
    visible_.clear();
    classOf_.clear();
    for (const Boat& boat : model.boats) {
        // A boat the race file hides starts unticked, as it starts off the map.
        checked_.push_back(boat.visible);
        visible_.push_back(boat.visible);
        classOf_.push_back(boat.classIndex);
    }
    classChecked_.assign(static_cast<std::size_t>(model.classes.count()), true);
    pinned_.reset();
    highlighted_.reset();
}

void BoatSelection::clickBoat(int b, BoatClick click) {
    if (b < 0 || b >= boatCount()) return;
    const auto i = static_cast<std::size_t>(b);
    switch (click) {
        case BoatClick::ShiftLeft:
            pinned_ = pinned_ == b ? std::nullopt : std::optional<int>(b);
            visible_[i] = checked_[i];
            break;
        case BoatClick::Right:
            std::fill(checked_.begin(), checked_.end(), false);
            std::fill(visible_.begin(), visible_.end(), false);
            std::fill(classChecked_.begin(), classChecked_.end(), false);
            checked_[i] = visible_[i] = true;
            break;
        case BoatClick::Left:
            checked_[i] = !checked_[i];
            visible_[i] = checked_[i];
            break;
    }
}

void BoatSelection::clickClass(int k, bool rightButton) {
    if (k < 0 || k >= classCount()) return;
    if (rightButton) {
        std::fill(classChecked_.begin(), classChecked_.end(), false);
        classChecked_[static_cast<std::size_t>(k)] = true;
    } else {
        classChecked_[static_cast<std::size_t>(k)] = !classChecked_[static_cast<std::size_t>(k)];
    }
    for (std::size_t b = 0; b < checked_.size(); ++b) {
        if (!classOf_[b] || *classOf_[b] >= classCount()) continue;
        const bool on = classChecked_[static_cast<std::size_t>(*classOf_[b])];
        visible_[b] = on;
        if (on || pinned_ != static_cast<int>(b)) checked_[b] = on;
    }
}

void BoatSelection::checkAll() {
    std::fill(checked_.begin(), checked_.end(), true);
    std::fill(visible_.begin(), visible_.end(), true);
    std::fill(classChecked_.begin(), classChecked_.end(), true);
}

int BoatSelection::hiddenCount() const {
    return static_cast<int>(std::count(visible_.begin(), visible_.end(), false));
}

void BoatSelection::showIn(DisplayState& d) const {
    d.boatChecked = visible_;
    d.highlightBoat = highlighted_;
    d.pickedBoat = pinned_;
}

}  // namespace korvane

// Which boats the boat list shows: the check boxes of boats and classes,
// the boat each check box makes visible, the boat under the mouse and the
// pinned one. Check box and visibility differ only for the pinned boat when
// its class is unchecked: the box keeps its tick while the boat leaves the
// map. The widgets show this state; they do not keep their own.
#pragma once

#include <optional>
#include <vector>

#include "race/model.h"
#include "view/display_state.h"

namespace korvane {

enum class BoatClick { Left, Right, ShiftLeft };

class BoatSelection {
  public:
    // Every class checked; each boat ticked and visible as the model says.
    void reset(const RaceModel& model);

    // A click on boat b's check box (0-based): a left click toggles it; a
    // right click leaves it alone on the map; Shift pins or unpins it and
    // leaves the check box as it was.
    void clickBoat(int b, BoatClick click);
    // Class k's check box after a click: a left click has toggled it, a
    // right click checks it and unchecks every other class. Each class then
    // decides for its boats, except that the pinned boat keeps its tick.
    void clickClass(int k, bool rightButton);
    // The title of the list: every class and boat checked and visible.
    void checkAll();
    void setHighlighted(std::optional<int> b) { highlighted_ = b; }

    int boatCount() const { return static_cast<int>(checked_.size()); }
    int classCount() const { return static_cast<int>(classChecked_.size()); }
    bool checked(int b) const { return checked_.at(static_cast<std::size_t>(b)); }
    bool visible(int b) const { return visible_.at(static_cast<std::size_t>(b)); }
    bool classChecked(int k) const { return classChecked_.at(static_cast<std::size_t>(k)); }
    const std::vector<bool>& visibleBoats() const { return visible_; }
    int hiddenCount() const;
    std::optional<int> pinned() const { return pinned_; }
    std::optional<int> highlighted() const { return highlighted_; }

    // What the renderer reads: visibility, highlight and pin.
    void showIn(DisplayState& display) const;

  private:
    std::vector<bool> checked_;
    std::vector<bool> visible_;
    std::vector<std::optional<int>> classOf_;
    std::vector<bool> classChecked_;
    std::optional<int> pinned_;
    std::optional<int> highlighted_;
};

}  // namespace korvane

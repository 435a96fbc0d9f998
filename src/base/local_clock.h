// "Now" on the local clock, from one place that tests can set: whatever
// depends on the age of something (a race's weather) asks this clock.
#pragma once

#include <optional>

#include "base/timestamp.h"

namespace korvane {

class LocalClock {
  public:
    // The fixed time when one was set, else the machine's local time.
    Timestamp now() const;
    void setFixed(std::optional<Timestamp> fixed) { fixed_ = fixed; }

  private:
    std::optional<Timestamp> fixed_;
};

}  // namespace korvane

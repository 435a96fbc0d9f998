// The stopwatch over race time: started at one replay moment, it shows how
// much race time has passed since, whatever the replay speed or direction.
// A press cycles off -> running -> held -> off.
#pragma once

#include <string>

namespace korvane {

class Stopwatch {
  public:
    enum class State { Off, Running, Held };

    // The button was pressed at replay time `nowSeconds`.
    void press(double nowSeconds);
    // The replay moved to `nowSeconds`: the read-out follows while running.
    void tick(double nowSeconds);

    State state() const { return state_; }
    // The button's caption: what the next press does.
    const char* caption() const;
    bool readoutShown() const { return state_ != State::Off; }
    const std::string& readout() const { return readout_; }

    // Race seconds as "hh:mm:ss", wrapping after a day; a replay moved back
    // before the start point reads as a negative time ("-00:00:05").
    static std::string format(double seconds);

  private:
    State state_ = State::Off;
    double startSeconds_ = 0;
    std::string readout_;
};

}  // namespace korvane

// The start gun: our own shot, compiled in, played without waiting. A
// machine without a sound device stays silent rather than failing.
#pragma once

#include <QSoundEffect>

namespace korvane {

class GunSound {
  public:
    GunSound();
    void play();
    int timesPlayed() const { return played_; }  // for tests, which cannot hear
    // Ready once the shot is decoded; Error when its data is missing.
    QSoundEffect::Status status() const { return effect_.status(); }

  private:
    QSoundEffect effect_;
    int played_ = 0;
};

}  // namespace korvane

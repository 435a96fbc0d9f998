#include "app/gun_sound.h"

namespace korvane {

GunSound::GunSound() {
    effect_.setSource(QUrl(QStringLiteral("qrc:/sounds/gunshot.wav")));
    effect_.setVolume(0.8f);
}

void GunSound::play() {
    ++played_;
    // A shot still ringing is cut and fired again: finishers close together
    // each get their own gun.
    effect_.stop();
    effect_.play();
}

}  // namespace korvane

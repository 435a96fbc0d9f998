#include "app/gun_sound.h"

// The shot lives in the app library's resources. Nothing in a static
// library's resource object is referenced by name, so without this call the
// linker leaves it out of the program and the gun has nothing to play.
static void keepTheShotInTheProgram() {
    Q_INIT_RESOURCE(korvane);
}

namespace korvane {

GunSound::GunSound() {
    keepTheShotInTheProgram();
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

#include "cli/gui_application.h"

#include <cstdlib>

namespace korvane {

std::unique_ptr<QGuiApplication> ensureGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "korvane-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace korvane

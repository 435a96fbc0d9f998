// The window on a race of the sample tree (or a tree of the test's own),
// offscreen, for the window's tests.
#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "race/race_list.h"

namespace korvane {

inline const std::filesystem::path kSample = KORVANE_SOURCE_DIR "/sample";

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down in the exit handlers, after its
    // platform plugin is gone, crashes.
    static auto* a = new QApplication(argc, argv);
    return *a;
}

// A window whose replay moves only by the ticks the test injects.
inline std::unique_ptr<MainWindow> makeWindow(StartChoice start,
                                              std::vector<std::string> raceList) {
    app();
    auto w = std::make_unique<MainWindow>(std::move(start), std::move(raceList));
    w->controller().setRealTicksIgnored(true);
    return w;
}

// Runs queued work (the loader's result) until the window has a race again.
inline void waitForOpening(MainWindow& w) {
    w.controller().loader().wait();
    for (int i = 0; i < 50 && !w.controller().loader().busy(); ++i)
        QCoreApplication::processEvents();
}

// The check box of boat `b` (0-based) in the boat list.
inline QCheckBox* boatBox(const BoatPanel& panel, int b) {
    return panel.findChild<QCheckBox*>(QStringLiteral("boatBox%1").arg(b));
}

inline std::unique_ptr<MainWindow> openSample(const std::string& race = "enoshima-cup.txt",
                                              const std::filesystem::path& root = kSample) {
    app();
    StartChoice start{root, race, false};
    auto w = makeWindow(start, buildRaceList(root).names);
    w->resize(1280, 800);
    w->openRace(race);
    waitForOpening(*w);
    return w;
}

}  // namespace korvane

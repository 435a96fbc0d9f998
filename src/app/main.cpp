// korvane: opens the race the edit file or the race list names, in one
// window, and replays it. `korvane [DATA_ROOT]`.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <filesystem>
#include <iostream>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "race/edit_file.h"
#include "race/race_list.h"

namespace fs = std::filesystem;
using namespace korvane;

namespace {

// The argument, else the program's folder when it holds a race tree, else
// the sample tree.
fs::path dataRootFrom(const QStringList& args) {
    if (args.size() > 1) return fs::path(args.at(1).toStdString());
    std::error_code ec;
    const fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (!ec && fs::is_directory(exe.parent_path() / "raceadmin", ec)) return exe.parent_path();
    return KORVANE_SAMPLE_DIR;
}

// Says why the window cannot come up: on stderr for a script, in a message
// box for someone who started the program from the desktop.
int refuse(const std::string& text) {
    std::cerr << "korvane: " << text << "\n";
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QMessageBox::critical(nullptr, QStringLiteral("korvane"), QString::fromStdString(text));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    const fs::path dataRoot = dataRootFrom(QApplication::arguments());
    std::error_code ec;
    if (!fs::is_directory(dataRoot / "raceadmin", ec)) {
        return refuse(dataRoot.string() + " is not a race folder (it has no raceadmin/ folder)");
    }
    SingleInstance instance(QStringLiteral("korvane-") + qEnvironmentVariable("USER"));
    if (!instance.becomePrimary()) return 0;

    const RaceList list = buildRaceList(dataRoot);
    StartChoice start;
    start.dataRoot = dataRoot;
    if (!list.names.empty()) start.raceFile = list.names.front();
    if (const auto choice = readEditFile(dataRoot)) {
        start.raceFile = choice->raceFile;
        start.editMode = choice->editMode;
    }
    if (start.raceFile.empty()) {
        return refuse((dataRoot / "raceadmin").string() + " holds no race file");
    }
    MainWindow window(start, list.names);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    // Without a window manager (a kiosk, Xvfb) maximising does nothing:
    // take the screen's free area first.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    window.openRace(start.raceFile);
    return QApplication::exec();
}

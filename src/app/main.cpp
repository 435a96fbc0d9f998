// korvane: opens the race the edit file or the race list names, in one
// window, and replays it. `korvane [--data DIR | DIR]`.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <filesystem>
#include <iostream>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/window_options.h"
#include "base/program_folders.h"
#include "race/edit_file.h"
#include "race/race_list.h"

namespace fs = std::filesystem;
using namespace korvane;

namespace {

std::vector<std::string> wordsOf(const QStringList& args) {
    std::vector<std::string> words;
    for (qsizetype i = 1; i < args.size(); ++i) words.push_back(args.at(i).toStdString());
    return words;
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
    // Answered before the application object, which needs a display.
    const WindowOptions early = parseWindowOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (early.help || early.version) {
        std::cout << (early.help ? windowUsageText() : "korvane " KORVANE_VERSION "\n");
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    // Qt has taken its own options (-platform, -style...) out by now.
    const WindowOptions options = parseWindowOptions(wordsOf(QApplication::arguments()));
    if (!options.error.empty()) {
        std::cerr << "korvane: " << options.error << "\n" << windowUsageText();
        return 2;
    }
    const fs::path dataRoot =
        options.dataRoot.value_or(defaultDataRoot(programFolder(), KORVANE_SAMPLE_DIR));
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

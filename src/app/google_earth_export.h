// The "Google Earth" export: the whole race as KML (a left press of its
// button), or the scene at the replay time (a right press); the window hands
// the written file to the desktop's globe viewer. When boats are hidden it
// first asks whether to leave them out, and the answer holds until the
// program ends.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

#include "export/kml_document.h"

namespace korvane {

class RaceSession;

class GoogleEarthExport : public QObject {
    Q_OBJECT
  public:
    // What the export needs from the window at the moment of the press.
    struct Window {
        std::function<void()> stopReplay;
        std::function<const RaceSession*()> session;
        std::function<double()> timeSeconds;
        std::function<Language()> language;
        // Asks the hide question; true for yes.
        std::function<bool(const QString& question)> askYesNo;
    };

    explicit GoogleEarthExport(Window window, QObject* parent = nullptr);

    // What a press of the button does; `presentScene` for the right button.
    void run(bool presentScene);
    bool hideUnfocusedBoats() const { return hideUnfocused_; }
    void setAskYesNoForTests(std::function<bool(const QString&)> ask) {
        window_.askYesNo = std::move(ask);
    }

    static QString hideQuestion(Language language);
    // Where the icons are: beside the program (a build), else where it was
    // installed, else in the data root.
    static std::filesystem::path iconFolder(const std::filesystem::path& dataRoot);

  signals:
    void failed(const QString& message);
    void written(const std::filesystem::path& file);

  private:
    Window window_;
    bool hideUnfocused_ = false;
};

}  // namespace korvane

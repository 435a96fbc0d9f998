// The window's "Video" command: asks what to film (VideoExportDialog),
// makes the film on a worker of Qt's pool while the replay goes on, shows
// its progress and the time left with a way to cancel, and says when the
// film is there or why it is not. A cancelled or failed film leaves no file.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>

#include "app/display_options.h"
#include "video/film_export.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace korvane {

class RaceSession;
class VideoExportDialog;

// The outcome of one film, in words for the user; empty when it was made.
struct VideoOutcome {
    bool made = false;
    bool cancelled = false;
    QString error;
};

// The film shows the map as the window's choices show it.
FilmLook filmLookOf(const DisplayOptions& options);

class VideoExport : public QObject {
    Q_OBJECT
  public:
    // What the export needs from the window.
    struct Window {
        std::function<std::shared_ptr<const RaceSession>()> session;
        std::function<double()> timeSeconds;
        std::function<std::filesystem::path()> documentsFolder;
        // The picture choices of the map on show, for the film to match.
        std::function<FilmLook()> look;
    };

    // The dialog and the progress panel are children of `window`, so the
    // language switch reaches them.
    VideoExport(QWidget* window, Window hooks);
    // Stops a film under way and waits for its worker.
    ~VideoExport() override;

    // What the button does: asks, unless a film is being made.
    void ask();
    // Makes the film of `job` from the open race.
    void start(const FilmJob& job);
    void cancel();
    bool running() const { return watcher_.isRunning(); }

  signals:
    void progressed(int framesDone, int frameCount);
    void finished(const QString& path);
    void failed(const QString& message);

  private:
    void showProgress(const FilmProgress& p);
    void done();

    QWidget* window_;
    Window hooks_;
    VideoExportDialog* dialog_;
    QWidget* panel_;
    QProgressBar* bar_;
    QLabel* left_;
    QPushButton* cancelButton_;
    std::stop_source stop_;
    std::filesystem::path output_;
    QFutureWatcher<VideoOutcome> watcher_;
};

}  // namespace korvane

// Opens a race on a worker thread, so the splash can show progress and the
// window stays responsive; the finished session arrives in one piece on the
// window's thread and replaces the old one there.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <memory>

#include "session/race_session.h"

namespace korvane {

struct LoadOutcome {
    std::shared_ptr<const RaceSession> session;  // null when the opening failed
    QString error;                               // the message for the user
};

class RaceLoader : public QObject {
    Q_OBJECT
  public:
    explicit RaceLoader(QObject* parent = nullptr);
    ~RaceLoader() override;

    // Starts an opening; false when one is still running.
    bool start(OpenRequest request, std::shared_ptr<const RaceSession> previous);
    bool busy() const { return watcher_.isRunning(); }
    // Blocks until the running opening is done (tests and shutdown).
    void wait() { watcher_.waitForFinished(); }

  signals:
    void progress(int step, int stepCount, QString text);
    void finished(korvane::LoadOutcome outcome);

  private:
    QFutureWatcher<LoadOutcome> watcher_;
};

}  // namespace korvane

Q_DECLARE_METATYPE(korvane::LoadOutcome)

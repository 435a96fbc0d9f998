// Opens a race on a worker thread, so the splash can show progress and the
// window stays responsive; the finished session arrives in one piece on the
// window's thread and replaces the old one there. An opening can be
// stopped: a new one replaces it, and closing the loader ends it.
#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <cstdint>
#include <memory>
#include <stop_token>

#include "session/race_session.h"

namespace korvane {

struct LoadOutcome {
    std::shared_ptr<const RaceSession> session;  // null when the opening failed
    QString error;                               // the message for the user
    bool cancelled = false;                      // stopped on request; error "cancelled"
};

class RaceLoader : public QObject {
    Q_OBJECT
  public:
    explicit RaceLoader(QObject* parent = nullptr);
    // Cancels the running opening and waits for it, a moment at most.
    ~RaceLoader() override;

    // Starts an opening. One still running is cancelled first (its
    // converter killed) and says nothing more: only the newest opening
    // reports. Always true.
    bool start(OpenRequest request, std::shared_ptr<const RaceSession> previous);
    // Stops the running opening: it ends at its next step or log, a running
    // converter is killed at once, and `cancelled` follows. Nothing happens
    // when none runs.
    void cancel();
    bool busy() const { return watcher_.isRunning(); }
    // Blocks until the running openings are done (tests and shutdown); it
    // does not cancel: cancel() first for that.
    void wait();

  signals:
    void progress(int step, int stepCount, QString text);
    void finished(korvane::LoadOutcome outcome);
    // The newest opening ended on a cancel() before it was done.
    void cancelled();

  private:
    struct Attempt {
        LoadOutcome outcome;
        std::uint64_t generation = 0;
    };
    void onAttemptEnded();

    QFutureWatcher<Attempt> watcher_;
    std::stop_source stop_;
    std::uint64_t generation_ = 0;      // of the newest opening
    QList<QFuture<Attempt>> replaced_;  // cancelled for a newer one, maybe still ending
};

}  // namespace korvane

Q_DECLARE_METATYPE(korvane::LoadOutcome)

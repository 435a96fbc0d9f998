#include "app/race_loader.h"

#include <QMetaObject>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "base/parallel.h"
#include "race/race_file_error.h"

namespace korvane {

RaceLoader::RaceLoader(QObject* parent) : QObject(parent) {
    qRegisterMetaType<LoadOutcome>();
    connect(&watcher_, &QFutureWatcher<Attempt>::finished, this, &RaceLoader::onAttemptEnded);
}

RaceLoader::~RaceLoader() {
    cancel();
    wait();
}

void RaceLoader::cancel() {
    stop_.request_stop();
}

void RaceLoader::wait() {
    watcher_.waitForFinished();
    for (QFuture<Attempt>& f : replaced_) f.waitForFinished();
    replaced_.clear();
}

void RaceLoader::onAttemptEnded() {
    if (!watcher_.isFinished()) return;
    const Attempt attempt = watcher_.result();
    // A replaced opening may still have been watched when its end was
    // queued.
    if (attempt.generation != generation_) return;
    if (attempt.outcome.cancelled)
        emit cancelled();
    else
        emit finished(attempt.outcome);
}

bool RaceLoader::start(OpenRequest request, std::shared_ptr<const RaceSession> previous) {
    if (busy()) {
        stop_.request_stop();
        replaced_.append(watcher_.future());
    }
    replaced_.removeIf([](const QFuture<Attempt>& f) { return f.isFinished(); });
    stop_ = std::stop_source();
    const std::uint64_t generation = ++generation_;
    QPointer<RaceLoader> self(this);
    watcher_.setFuture(QtConcurrent::run([request = std::move(request),
                                          previous = std::move(previous), self, generation,
                                          stop = stop_.get_token()]() {
        Attempt attempt;
        attempt.generation = generation;
        LoadOutcome& outcome = attempt.outcome;
        auto report = [self, generation](const OpenProgress& p) {
            // Queued to the window's thread; nothing of the session crosses.
            QMetaObject::invokeMethod(
                self.data(),
                [self, generation, p] {
                    if (self && self->generation_ == generation)
                        emit self->progress(p.step, p.stepCount, QString::fromStdString(p.text));
                },
                Qt::QueuedConnection);
        };
        try {
            outcome.session =
                openRace(request, previous ? &previous->model : nullptr, report, stop);
        } catch (const Cancelled& e) {
            outcome.cancelled = true;
            outcome.error = QString::fromUtf8(e.what());
        } catch (const RaceFileError& e) {
            outcome.error = QString::fromStdString(e.what());
        } catch (const std::exception& e) {
            outcome.error = QString::fromStdString(e.what());
        }
        return attempt;
    }));
    return true;
}

}  // namespace korvane

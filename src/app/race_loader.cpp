#include "app/race_loader.h"

#include <QMetaObject>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "race/race_file_error.h"

namespace korvane {

RaceLoader::RaceLoader(QObject* parent) : QObject(parent) {
    qRegisterMetaType<LoadOutcome>();
    connect(&watcher_, &QFutureWatcher<LoadOutcome>::finished, this,
            [this] { emit finished(watcher_.result()); });
}

RaceLoader::~RaceLoader() {
    watcher_.waitForFinished();
}

bool RaceLoader::start(OpenRequest request, std::shared_ptr<const RaceSession> previous) {
    if (busy()) return false;
    QPointer<RaceLoader> self(this);
    watcher_.setFuture(QtConcurrent::run([request = std::move(request),
                                          previous = std::move(previous), self]() {
        LoadOutcome outcome;
        auto report = [self](const OpenProgress& p) {
            // Queued to the window's thread; nothing of the session crosses.
            QMetaObject::invokeMethod(
                self.data(),
                [self, p] {
                    if (self)
                        emit self->progress(p.step, p.stepCount, QString::fromStdString(p.text));
                },
                Qt::QueuedConnection);
        };
        try {
            outcome.session = openRace(request, previous ? &previous->model : nullptr, report);
        } catch (const RaceFileError& e) {
            outcome.error = QString::fromStdString(e.what());
        } catch (const std::exception& e) {
            outcome.error = QString::fromStdString(e.what());
        }
        return outcome;
    }));
    return true;
}

}  // namespace korvane

#include "app/video_export.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>
#include <cmath>
#include <thread>

#include "app/captions.h"
#include "app/video_export_dialog.h"
#include "base/parallel.h"
#include "session/race_session.h"
#include "video/video_encoder.h"

namespace korvane {

namespace {

QString minutesAndSeconds(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// One core stays with the window, so the replay keeps its pace.
int drawingThreads() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::max(1, cores - 1);
}

}  // namespace

FilmLook filmLookOf(const DisplayOptions& o) {
    FilmLook look;
    look.northUp = o.northUp;
    look.labelLevel = o.showName ? 1 : 0;
    look.layLine = o.layLine;
    look.bigBoat = o.bigBoat;
    look.zoomPosition = o.zoomPosition;
    look.seaLevel = o.seaLevel;
    return look;
}

VideoExport::VideoExport(QWidget* window, Window hooks)
    : QObject(window), window_(window), hooks_(std::move(hooks)) {
    dialog_ = new VideoExportDialog(window);
    connect(dialog_, &VideoExportDialog::jobChosen, this, &VideoExport::start);

    // A small window of its own beside the map, not modal: the replay and
    // every other control stay usable while the film is made.
    auto* panel = new QDialog(window);
    panel->setObjectName(QStringLiteral("videoProgressPanel"));
    panel->setWindowTitle(QStringLiteral("korvane"));
    panel->setModal(false);
    bar_ = new QProgressBar(panel);
    bar_->setObjectName(QStringLiteral("videoProgressBar"));
    left_ = new QLabel(panel);
    left_->setObjectName(QStringLiteral("videoTimeLeftText"));
    cancelButton_ = new QPushButton(panel);
    cancelButton_->setObjectName(QStringLiteral("videoStopButton"));
    auto* rows = new QVBoxLayout(panel);
    auto* title = new QLabel(panel);
    title->setObjectName(QStringLiteral("videoProgressLabel"));
    rows->addWidget(title);
    rows->addWidget(bar_);
    auto* foot = new QHBoxLayout;
    foot->addWidget(left_, 1);
    foot->addWidget(cancelButton_);
    rows->addLayout(foot);
    panel->resize(360, panel->sizeHint().height());
    panel_ = panel;
    connect(cancelButton_, &QPushButton::clicked, this, &VideoExport::cancel);
    // Closing the panel is cancelling too: a film nobody watches being made.
    connect(panel, &QDialog::rejected, this, &VideoExport::cancel);
    connect(&watcher_, &QFutureWatcher<VideoOutcome>::finished, this, &VideoExport::done);
}

VideoExport::~VideoExport() {
    stop_.request_stop();
    watcher_.waitForFinished();
}

void VideoExport::ask() {
    const auto session = hooks_.session();
    if (!session) return;
    if (running()) {
        panel_->show();
        panel_->raise();
        return;
    }
    const Race& race = session->model.race;
    const std::string stem = session->raceFilePath.stem().string();
    // Made after the window applied its language, so it takes it here.
    applyLanguage(dialog_, shownLanguage(window_));
    dialog_->prepare(race.timelineBegin, race.timelineEnd, hooks_.timeSeconds(),
                     hooks_.documentsFolder() / ((stem.empty() ? "race" : stem) + ".mp4"));
    dialog_->open();
}

void VideoExport::start(const FilmJob& chosen) {
    const auto session = hooks_.session();
    if (!session || running()) return;
    FilmJob job = chosen;
    if (hooks_.look) job.look = hooks_.look();
    // The map's choices come from the window, the table's from the dialog.
    job.look.standings = chosen.look.standings;
    job.look.japanese = shownLanguage(window_) == Language::Japanese;
    job.threads = drawingThreads();
    output_ = job.output;
    stop_ = std::stop_source();
    const std::stop_token stop = stop_.get_token();
    bar_->setRange(0, job.plan.frameCount());
    bar_->setValue(0);
    left_->clear();
    cancelButton_->setEnabled(true);
    applyLanguage(panel_, shownLanguage(window_));
    panel_->show();
    panel_->raise();
    // The session is shared with the worker: opening another race meanwhile
    // leaves this one alive until its film is done.
    watcher_.setFuture(QtConcurrent::run([this, session, job, stop]() -> VideoOutcome {
        VideoOutcome outcome;
        try {
            makeFilm(
                *session, job,
                [this](const FilmProgress& p) {
                    QMetaObject::invokeMethod(
                        this, [this, p] { showProgress(p); }, Qt::QueuedConnection);
                },
                stop);
            outcome.made = true;
        } catch (const Cancelled&) {
            outcome.cancelled = true;
        } catch (const std::exception& e) {
            outcome.error = QString::fromUtf8(e.what());
        }
        return outcome;
    }));
}

void VideoExport::cancel() {
    if (!running()) return;
    stop_.request_stop();
    cancelButton_->setEnabled(false);
}

void VideoExport::showProgress(const FilmProgress& p) {
    if (!running()) return;
    bar_->setValue(p.framesDone);
    left_->setText(
        shownMessage(window_, Message::VideoTimeLeft).arg(minutesAndSeconds(p.secondsLeft)));
    emit progressed(p.framesDone, p.frameCount);
}

void VideoExport::done() {
    const VideoOutcome outcome = watcher_.result();
    panel_->hide();
    const QString path = QString::fromStdString(output_.string());
    if (outcome.made) {
        emit finished(path);
    } else if (!outcome.cancelled) {
        emit failed(shownMessage(window_, Message::VideoFailed).arg(path, outcome.error));
    }
}

}  // namespace korvane

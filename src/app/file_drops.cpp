#include "app/file_drops.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>

#include "app/drop_texts.h"
#include "base/file_io.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/text.h"
#include "race/fields.h"
#include "race/race_document.h"
#include "race/race_file.h"
#include "race/race_file_edits.h"
#include "race/race_rewrite.h"
#include "tracks/log_file.h"
#include "tracks/track_import.h"

namespace korvane {

namespace fs = std::filesystem;
using namespace drop_texts;

namespace {

// A log with no more fixes than this in the race window is not a boat.
constexpr int kMaxEmptyLogFixes = 2;
constexpr int kFolderTailChars = 5;
const QStringList kDroppableLogs = {QStringLiteral(".DTR"), QStringLiteral(".TRB"),
                                    QStringLiteral(".GDB"), QStringLiteral(".TRK"),
                                    QStringLiteral(".TRL"), QStringLiteral(".GPX")};

QString withoutTrailingSeparators(QString path) {
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\'))) path.chop(1);
    return path;
}

// A factor the race file takes back: a number above 0 up to the largest
// factor. Anything else counts as 1, as text that is not a number does, so
// the added line never stops the race from opening again.
double factorFrom(const QString& text) {
    const auto value = parseDouble(text.trimmed().toStdString());
    if (!value || !std::isfinite(*value) || *value <= 0 || *value > kMaxTimeFactor) return 1;
    return *value;
}

// The logs the race file names: its BN lines, those of boats that were
// left out for too few fixes included, and the boats of the race.
std::vector<std::string> logsOfTheRace(const RaceSession& session) {
    std::vector<std::string> logs;
    if (const auto& doc = session.raceFile.document)
        for (int i = 0; i < doc->lineCount(); ++i)
            if (lineKeyword(doc->line(i).text) == "BN")
                logs.push_back(splitFields(doc->line(i).text, ",")[1]);
    for (const Boat& boat : session.model.boats) logs.push_back(boat.logFile);
    return logs;
}

// Whether the race already has a boat sailing with `logFile`: by name, as
// the race file's names are found (letter case and separators aside), or
// by being the very file (`found`, when gpsdat/ holds it).
bool inRace(const std::string& logFile, const std::optional<fs::path>& found,
            const fs::path& gpsdat, const RaceSession& session) {
    for (std::string name : logsOfTheRace(session)) {
        std::replace(name.begin(), name.end(), '\\', '/');
        if (equalsIgnoreCaseAscii(name, logFile)) return true;
        if (!found) continue;
        std::error_code ec;
        const auto theirs = resolveCaseInsensitive(gpsdat, name);
        if (theirs && fs::equivalent(*found, *theirs, ec)) return true;
    }
    return false;
}

// What the user is told, up front, about a log that could never become a
// boat: a name the race file cannot hold, a boat the race has already, a
// file that is no log file at all. Nothing when the log may be read.
std::optional<QString> refusalBeforeReading(const QString& dropped, const std::string& logFile,
                                            const RaceSession& session) {
    if (!fitsBoatLine(logFile)) return kLogNameDoesNotFit;
    const fs::path gpsdat = session.dataRoot / "gpsdat";
    const auto found = resolveCaseInsensitive(gpsdat, logFile);
    if (inRace(logFile, found, gpsdat, session)) return kLogAlreadyInRace;
    // The file that will be read; the dropped one when gpsdat/ has none.
    const ReadableFile file(found.value_or(fs::path(QFile::encodeName(dropped).toStdString())),
                            kMaxLogBytes);
    if (file.failure() == ReadFailure::NotRegularFile) return kLogNotARegularFile;
    if (file.failure() == ReadFailure::TooLarge) return logTooLarge(kMaxLogBytes);
    return std::nullopt;
}

// Reads a dropped folder beside the window, as the race opening is read: a
// thousand photographs on a slow disk take minutes, and the window must go
// on drawing meanwhile. The progress box is modal, so nothing else of the
// window happens before the drop is done; Cancel gives nothing, and the
// pictures on show stay.
std::optional<PictureCatalogue> catalogueAside(const fs::path& folder,
                                               const PictureWindow& window) {
    std::atomic<int> done{0}, total{0};
    std::atomic<bool> cancelled{false};
    struct Read {
        PictureCatalogue catalogue;
        std::exception_ptr failure;  // what the read threw, thrown again here
    };
    const auto read = [&]() -> Read {
        try {
            return {catalogueFolder(folder, window,
                                    [&](int d, int t) {
                                        done = d;
                                        total = t;
                                        return !cancelled.load();
                                    }),
                    nullptr};
        } catch (...) {
            return {{}, std::current_exception()};
        }
    };

    QProgressDialog progress(kReadingPictures, kStopReading, 0, 0, QApplication::activeWindow());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancelled = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (progress.wasCanceled()) return;
        progress.setMaximum(total);
        progress.setValue(done);
    });
    tick.start(100);

    // The read starts once the loop runs, so events already due (a paint,
    // a timer) are handled before it rather than raced by its end.
    QEventLoop loop;
    QFutureWatcher<Read> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [&] { watcher.setFuture(QtConcurrent::run(read)); });
    loop.exec();
    Read result;
    if (watcher.future().isValid()) {
        watcher.waitForFinished();  // the loop ends early only when the program quits
        result = watcher.future().takeResult();
    } else {
        result = read();  // the program is quitting and the loop never ran
    }
    if (result.failure) std::rethrow_exception(result.failure);
    if (cancelled) return std::nullopt;
    return std::move(result.catalogue);
}

}  // namespace

DropKind classifyDrop(const QString& path) {
    const QString p = withoutTrailingSeparators(path);
    if (!p.right(kFolderTailChars).contains(u'.')) return DropKind::Folder;
    const QString extension = p.mid(p.lastIndexOf(u'.')).toUpper();
    return kDroppableLogs.contains(extension) ? DropKind::Log : DropKind::Other;
}

DropOutcome FileDrops::handle(const QStringList& paths, const RaceSession& session,
                              bool picturesRegistered) {
    if (paths.isEmpty()) return {};
    if (session.model.race.timeMode == TimeMode::Corrected) {
        ask_.tell(kCorrectedTimeRefuses);
        return {};
    }
    const QString& first = paths.front();
    DropOutcome out;
    switch (classifyDrop(first)) {
        case DropKind::Folder:
            out = takePictures(withoutTrailingSeparators(first), session, picturesRegistered);
            break;
        case DropKind::Log:
            out = addLog(first, session);
            break;
        case DropKind::Other:
            ask_.tell(kDropAFolder);
            break;
    }
    return out;
}

DropOutcome FileDrops::addLog(const QString& path, const RaceSession& session) {
    // The log is read from the race tree's gpsdat/ under its own name: the
    // race file can only name logs that lie there.
    Boat boat;
    boat.logFile = QFileInfo(path).fileName().toStdString();
    if (const auto refusal = refusalBeforeReading(path, boat.logFile, session)) {
        ask_.tell(*refusal);
        return {};
    }
    loadTrack(boat, session.model.race, session.dataRoot);
    if (boat.pointCount() <= kMaxEmptyLogFixes) {
        ask_.tell(kNoDataInRaceTime);
        return {};
    }
    const QString file = QString::fromStdString(boat.logFile);
    const auto name = ask_.askText(kBoatNameCaption, kBoatNamePrompt, file.left(file.size() - 4));
    if (!name || name->isEmpty()) return {};
    double tcf = 0;
    if (session.model.race.hasTcf) {
        const auto factor = ask_.askText(kFactorCaption, kFactorPrompt, kFactorSuggestion);
        if (!factor || factor->isEmpty()) return {};
        tcf = factorFrom(*factor);
    }
    if (!ask_.askYesNo(kAddBoatCaption, kAddBoatQuestion)) return {};

    const std::string boatName = name->toStdString();
    const RewriteResult written = rewriteRaceFile(
        session.dataRoot, session.raceFilePath,
        [&](RaceDocument& doc) { return addBoatLine(doc, boat.logFile, boatName, tcf); });
    if (!written.ok()) {
        ask_.tell(QString::fromStdString(written.message));
        return {};
    }
    DropOutcome out;
    out.action = DropOutcome::Action::ReopenRace;
    return out;
}

DropOutcome FileDrops::takePictures(const QString& path, const RaceSession& session,
                                    bool picturesRegistered) {
    if (picturesRegistered && !ask_.askYesNo(kReplaceCaption, kReplaceQuestion)) return {};
    const Race& race = session.model.race;
    std::optional<PictureCatalogue> read = catalogueAside(
        fs::path(path.toStdString()), {race.start, race.timelineBegin, race.timelineEnd});
    if (!read) return {};
    PictureCatalogue found = std::move(*read);
    if (found.empty()) {
        // The pictures on show stay: a folder that matches nothing replaces
        // nothing.
        ask_.tell(kNoPictures);
        return {};
    }
    ask_.tell(QString::number(found.count()) + kPicturesFound);
    for (const std::string& w : found.warnings) ask_.tell(QString::fromStdString(w));
    DropOutcome out;
    out.action = DropOutcome::Action::NewPictures;
    out.pictures = std::move(found);
    return out;
}

}  // namespace korvane

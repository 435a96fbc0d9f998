#include "app/passing_editing.h"

#include <QMessageBox>
#include <QUndoCommand>

#include "app/captions.h"
#include "app/main_window.h"
#include "base/timestamp.h"

namespace korvane {

// One correction: the corrections before and after it.
class PassingCorrectionStep : public QUndoCommand {
  public:
    PassingCorrectionStep(PassingEditing& editing, PassingCorrections before,
                          PassingCorrections after)
        : editing_(editing), before_(std::move(before)), after_(std::move(after)) {}
    void redo() override { editing_.apply(after_); }
    void undo() override { editing_.apply(before_); }

  private:
    PassingEditing& editing_;
    PassingCorrections before_;
    PassingCorrections after_;
};

namespace {
// Under the compass and the wind graph, clear of the picture settings below.
constexpr int kPanelLeft = 5;
constexpr int kPanelTop = 260;

// The venue's time of day of race second t.
QString clockOf(const RaceSession& s, double t) {
    return QString::fromStdString(formatTimestamp(s.model.race.start + t / 86400)).right(8);
}
}  // namespace

PassingEditing::PassingEditing(MainWindow& window)
    : QObject(&window),
      controller_(window.controller()),
      bar_(window.timeBar()),
      map_(window.map()),
      panel_(new PassingPanel(map_)),
      boats_(window.boatPanel()),
      window_(window) {
    panel_->hide();
    // Later switches of the language reach the panel with the rest of the window.
    applyLanguage(panel_, shownLanguage(map_));
    connect(&controller_, &ReplayController::sessionChanged, this,
            [this](std::shared_ptr<const RaceSession> s) { setSession(std::move(s), true); });
    connect(&controller_, &ReplayController::sessionEdited, this,
            [this](std::shared_ptr<const RaceSession> s) { setSession(std::move(s), false); });
    connect(boats_, &BoatPanel::selectionChanged, this, &PassingEditing::refresh);
    connect(window.chrome(), &WindowChrome::languageChanged, this, &PassingEditing::refresh);
    connect(this, &PassingEditing::edited, &window, &MainWindow::showEdited);
    connect(this, &PassingEditing::failed, this, [this](const QString& message) {
        // Not modal: the replay behind it goes on.
        auto* box = new QMessageBox(QMessageBox::Warning, window_.windowTitle(), message,
                                    QMessageBox::Ok, &window_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    connect(bar_, &TimeBar::passingClicked, this, [this](int tick) {
        // The replay holds at the tick's moment, so that "Pin here" pins that one.
        if (controller_.playing()) controller_.stop();
        choosePoint(bar_->passingTicks().at(static_cast<std::size_t>(tick)).point);
    });
    connect(bar_, &TimeBar::passingDragged, this, [this](int tick, double t) {
        pinAt(bar_->passingTicks().at(static_cast<std::size_t>(tick)).point, t);
    });
    connect(panel_, &PassingPanel::pinHereRequested, this, [this] {
        if (point_) pinAt(*point_, controller_.clock().timeSeconds());
    });
    connect(panel_, &PassingPanel::notPassedRequested, this, [this] {
        if (point_) markNotPassed(*point_);
    });
    connect(panel_, &PassingPanel::clearRequested, this, [this] {
        if (point_) restore(*point_);
    });
    connect(panel_, &PassingPanel::undoRequested, &undo_, &QUndoStack::undo);
    connect(panel_, &PassingPanel::redoRequested, &undo_, &QUndoStack::redo);
    connect(&undo_, &QUndoStack::indexChanged, this,
            [this] { panel_->setUndoRedo(undo_.canUndo(), undo_.canRedo()); });
}

void PassingEditing::setSession(std::shared_ptr<const RaceSession> session, bool newRace) {
    session_ = std::move(session);
    if (newRace) {
        // Undoing into another race would write its corrections over this one's.
        undo_.clear();
        point_.reset();
        panel_->hide();
        // Lines of the corrections file that were left out are told at once:
        // the officer who wrote them expects them to hold.
        if (session_) {
            const std::string file =
                passingCorrectionsPath(session_->raceFilePath).filename().string();
            QStringList refused;
            for (const std::string& w : session_->warnings)
                if (w.starts_with(file)) refused << QString::fromStdString(w);
            if (!refused.isEmpty()) emit failed(refused.join('\n'));
        }
    }
    refresh();
}

void PassingEditing::refresh() {
    boat_.reset();
    if (session_)
        boat_ =
            boats_->selection().pinned() ? boats_->selection().pinned() : window_.referenceBoat();
    if (boat_ && (*boat_ < 0 || *boat_ >= session_->model.boatCount())) boat_.reset();
    explained_.clear();
    std::vector<PassingTick> ticks;
    std::vector<PassingMarker> markers;
    if (boat_) {
        const RaceSession& s = *session_;
        explained_ = explainBoatPassings(s.model, s.course, s.legs, s.detectedLegs,
                                         s.passingCorrections, s.area.plane(), *boat_);
        for (int p = 0; p < static_cast<int>(explained_.size()); ++p) {
            const PassingExplanation& e = explained_[static_cast<std::size_t>(p)];
            const bool selected = point_ == p;
            const QString name =
                QString::fromStdString(s.course.points[static_cast<std::size_t>(p)].name);
            if (e.chosen) {
                ticks.push_back(
                    {e.chosen->timeSeconds, p, true, e.corrected, factsOf(p, &*e.chosen, true)});
                markers.push_back(
                    {e.chosen->latMinutes, e.chosen->lonMinutes, true, selected, name});
            }
            for (const PassingMoment& m : e.candidates) {
                ticks.push_back({m.timeSeconds, p, false, false, factsOf(p, &m, false)});
                if (!point_ || selected)
                    markers.push_back({m.latMinutes, m.lonMinutes, false, selected, {}});
            }
        }
    }
    bar_->setPassingTicks(std::move(ticks));
    map_->setPassingMarkers(std::move(markers));
    if (point_ && panel_->isVisible()) showPanel();
}

QString PassingEditing::factsOf(int point, const PassingMoment* moment, bool chosen) const {
    const RaceSession& s = *session_;
    QString text = QString::fromStdString(s.model.boats[*boat_].name) + "  " +
                   QString::fromStdString(s.course.points[static_cast<std::size_t>(point)].name) +
                   QString(" (%1)").arg(point + 1);
    const PassingExplanation& e = explained_[static_cast<std::size_t>(point)];
    if (!moment) {
        text += "\n" + shownMessage(bar_, Message::PassingNotPassed);
        if (e.corrected) text += "  " + shownMessage(bar_, Message::PassingCorrected);
        return text;
    }
    const Message kind = moment->kind == PassingKind::Crossing  ? Message::PassingCrossing
                         : moment->kind == PassingKind::Closest ? Message::PassingClosest
                                                                : Message::PassingPinned;
    text += "\n" + shownMessage(bar_, chosen ? Message::PassingChosen : Message::PassingCandidate) +
            "  " + clockOf(s, moment->timeSeconds) +
            QString(" (%1 s)  ").arg(moment->timeSeconds, 0, 'f', 1) + shownMessage(bar_, kind) +
            QString("  %1 m").arg(moment->metresFromMark, 0, 'f', 0);
    if (chosen && e.corrected) text += "  " + shownMessage(bar_, Message::PassingCorrected);
    return text;
}

void PassingEditing::choosePoint(int point) {
    if (!boat_ || point < 0 || point >= static_cast<int>(explained_.size())) return;
    point_ = point;
    refresh();
    showPanel();
}

void PassingEditing::showPanel() {
    const PassingExplanation& e = explained_[static_cast<std::size_t>(*point_)];
    panel_->showPassing(factsOf(*point_, e.chosen ? &*e.chosen : nullptr, true), e.corrected);
    panel_->setUndoRedo(undo_.canUndo(), undo_.canRedo());
    placePanel();
    panel_->show();
    panel_->raise();
}

void PassingEditing::placePanel() {
    panel_->adjustSize();
    panel_->move(kPanelLeft, kPanelTop);
}

void PassingEditing::pinAt(int point, double shownSeconds) {
    if (!session_ || !boat_) return;
    PassingCorrections next = session_->passingCorrections;
    PassingCorrection c;
    c.boat = *boat_;
    c.point = point;
    c.elapsedSeconds =
        elapsedSecondsOf(session_->model.boats[*boat_], session_->model.race, shownSeconds);
    next.set(c);
    point_ = point;
    change(std::move(next));
}

void PassingEditing::markNotPassed(int point) {
    if (!session_ || !boat_) return;
    PassingCorrections next = session_->passingCorrections;
    next.set({*boat_, point, PassingCorrectionKind::NotPassed, 0});
    point_ = point;
    change(std::move(next));
}

void PassingEditing::restore(int point) {
    if (!session_ || !boat_) return;
    PassingCorrections next = session_->passingCorrections;
    if (!next.clear(*boat_, point)) return;
    point_ = point;
    change(std::move(next));
}

void PassingEditing::change(PassingCorrections next) {
    if (next == session_->passingCorrections) return;
    undo_.push(new PassingCorrectionStep(*this, session_->passingCorrections, std::move(next)));
}

void PassingEditing::apply(const PassingCorrections& corrections) {
    if (!session_) return;
    auto next = std::make_shared<RaceSession>(*session_);
    correctPassings(*next, corrections);
    if (!saveCorrections(*next))
        emit failed(
            shownMessage(bar_, Message::PassingsNotSaved)
                .arg(QString::fromStdString(passingCorrectionsPath(next->raceFilePath).string())));
    session_ = next;
    if (window_.courseEditing())
        window_.courseEditing()->keepPassingCorrections(session_->passingCorrections);
    emit edited(session_);
    refresh();
    if (point_) showPanel();
}

}  // namespace korvane

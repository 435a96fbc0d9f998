#include "app/course_editing.h"

#include "analysis/wind_drawing.h"
#include "app/captions.h"
#include "race/wind_file.h"
#include "ui_text/caption_table.h"

namespace korvane {

CourseEditing::CourseEditing(CourseEditPanel* panel, QObject* parent)
    : QObject(parent), panel_(panel), boxes_(panel) {
    connect(panel_, &CourseEditPanel::actionChosen, this,
            [this](EditAction a) { editor_.setAction(a); });
    connect(panel_, &CourseEditPanel::resetCourseRequested, this, [this] {
        editor_.resetCourse();
        publish();
    });
    connect(panel_, &CourseEditPanel::undoRequested, this, [this] {
        if (editor_.undo()) publish();
        panel_->showAction(editor_.action());
    });
    connect(panel_, &CourseEditPanel::windOkRequested, this, &CourseEditing::windOk);
    connect(panel_, &CourseEditPanel::makeWindToggled, this, &CourseEditing::makeWind);
    connect(panel_, &CourseEditPanel::saveWindRequested, this, &CourseEditing::saveWind);
}

void CourseEditing::setSession(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    const EditAction kept = editor_.action();
    editor_ = session_ ? CourseEditor(session_->model) : CourseEditor();
    // The chosen action outlives the race; a drawing in progress does not.
    editor_.setAction(kept == EditAction::DrawWind ? EditAction::None : kept);
    drawnWind_.reset();
    storedWind_ = session_ ? session_->model.windSamples : std::vector<WindSample>{};
    strokes_.clear();
    panel_->clearMakeWind();
    panel_->setSaveWindEnabled(false);
    panel_->setUndoEnabled(false);
    panel_->fillCourseFields(editor_.draft());
}

void CourseEditing::keepPassingCorrections(const PassingCorrections& corrections) {
    if (!session_ || session_->passingCorrections == corrections) return;
    auto next = std::make_shared<RaceSession>(*session_);
    next->passingCorrections = corrections;
    session_ = next;
}

void CourseEditing::publish() {
    if (!session_) return;
    auto next = std::make_shared<RaceSession>(*session_);
    editor_.applyTo(next->model);
    if (drawnWind_) next->model.windSamples = *drawnWind_;
    remeasureCourse(*next);
    session_ = next;
    panel_->fillCourseFields(editor_.draft());
    panel_->setUndoEnabled(editor_.canUndo());
    emit edited(session_);
}

void CourseEditing::mapClicked(const CourseEditClick& click) {
    EditClick c;
    c.latMinutes = click.at.latMinutes;
    c.lonMinutes = click.at.lonMinutes;
    c.leftButton = click.leftButton;
    if (click.picked) {
        c.mark = click.picked->mark;
        c.line = click.picked->line;
        (click.picked->kind == CoursePick::Kind::Mark ? c.mark : c.line) = click.picked->index;
    }
    const EditOutcome out = editor_.click(c);
    if (!out.refusal.empty()) emit failed(QString::fromStdString(out.refusal));
    if (out.changed) publish();
}

void CourseEditing::windOk() {
    const auto degrees = windDirectionFromText(panel_->windText().toStdString());
    if (!degrees) {
        emit failed(shownMessage(panel_, Message::NotAnInteger).arg(panel_->windText()));
        return;
    }
    editor_.setWindDirectionInput(*degrees);
    publish();
    afterRewrite(rewrite());
}

void CourseEditing::compassClicked(double bearingDegrees) {
    editor_.turnWindBy(bearingDegrees);
    publish();
    afterRewrite(rewrite());
}

void CourseEditing::makeWind(bool on) {
    if (on) {
        editor_.setAction(EditAction::DrawWind);
        drawnWind_.emplace();
        strokes_.clear();
        panel_->setSaveWindEnabled(false);
        publish();
        emit graphWanted();
    } else {
        editor_.setAction(EditAction::None);
    }
}

bool CourseEditing::graphPressed(QPoint at, QSize pageSize) {
    if (!session_ || !drawingWind() || !drawnWind_) return false;
    const GraphLayout layout = graphLayout(session_->model, pageSize.width(), pageSize.height());
    const auto sample = drawnWindSample(layout, at);
    if (!sample) return false;
    if (strokes_.empty()) strokes_.push_back({at.x(), layout.bottom()});
    strokes_.push_back(at);
    drawnWind_->push_back(*sample);
    panel_->setSaveWindEnabled(true);
    publish();
    return true;
}

void CourseEditing::saveWind() {
    if (!session_) return;
    if (!drawnWind_ || drawnWind_->empty()) {
        emit failed(shownMessage(panel_, Message::NoWindData));
        return;
    }
    const WindFilePlan plan =
        planWindFile(session_->dataRoot, session_->raceFilePath, session_->model.race.windFile);
    if (!plan.refusal.empty()) {
        emit failed(QString::fromStdString(plan.refusal));
        return;
    }
    std::string fileName = plan.fileName;
    if (plan.askToOverwrite) {
        DropQuestions& ask = questions_ ? *questions_ : static_cast<DropQuestions&>(boxes_);
        if (!ask.askYesNo(QString::fromUtf8(captionOf("saveWindButton", shownLanguage(panel_))),
                          QString::fromStdString(plan.question))) {
            if (plan.alternative.empty()) return;
            fileName = plan.alternative;
        }
    }
    const WindWriteResult written =
        writeWindFile(session_->dataRoot, fileName, *drawnWind_, session_->model.race.start);
    if (!written.ok) {
        emit failed(QString::fromStdString(written.message));
        return;
    }
    storedWind_ = *drawnWind_;
    auto next = std::make_shared<RaceSession>(*session_);
    next->model.race.windFile = written.fileName;
    session_ = next;
    afterRewrite(rewrite());
    panel_->setMakeWind(false);
    publish();
}

RewriteResult CourseEditing::rewrite(std::optional<PictureLine> pictures) {
    if (!session_) return {RewriteStatus::Missing, {}};
    if (!pictures && pictureSource_) pictures = pictureSource_();
    if (!pictures) pictures = pictureLineOf(session_->model.race);
    CourseLines lines = courseLinesOf(session_->model, std::move(pictures));
    // The wind on disk, not a history still being drawn, decides the WF line.
    lines.windFile = storedWind_.empty() ? std::string() : session_->model.race.windFile;
    return rewriteRaceFile(session_->dataRoot, session_->raceFilePath, [&](RaceDocument& doc) {
        rewriteCourseLines(doc, lines);
        return true;
    });
}

void CourseEditing::afterRewrite(const RewriteResult& result) {
    if (result.ok()) return;
    // A read-only data root is said once; every rewrite after it is skipped.
    if (result.status == RewriteStatus::NotWritable) {
        if (toldReadOnly_) return;
        toldReadOnly_ = true;
    }
    emit failed(QString::fromStdString(result.message));
}

}  // namespace korvane

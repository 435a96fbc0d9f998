// Course editing in the window: the editor model behind the editing panel,
// fed by the map's Shift-clicks, the compass and the Graph page, and the
// rewrite of the race file when the editor's work is to be kept. After each
// edit it hands the window a session that carries the edited course, so the
// map, the pages and the overview draw it like any other race.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>
#include <optional>

#include "app/course_edit_panel.h"
#include "app/drop_questions.h"
#include "app/map_tools.h"
#include "race/course_editor.h"
#include "race/race_rewrite.h"
#include "session/race_session.h"

namespace korvane {

class CourseEditing : public QObject {
    Q_OBJECT
  public:
    CourseEditing(CourseEditPanel* panel, QObject* parent = nullptr);

    // A race was opened; editing starts from its course.
    void setSession(std::shared_ptr<const RaceSession> session);
    // Passings were corrected meanwhile: the next edit keeps the corrections.
    void keepPassingCorrections(const PassingCorrections& corrections);
    const CourseEditor& editor() const { return editor_; }
    bool drawingWind() const { return editor_.action() == EditAction::DrawWind; }

    void mapClicked(const CourseEditClick& click);
    void compassClicked(double bearingDegrees);
    // A press on the Graph page of `pageSize` while drawing wind; true when
    // it became a sample.
    bool graphPressed(QPoint at, QSize pageSize);
    // The red strokes of the history drawn so far, in page pixels.
    const std::vector<QPoint>& windStrokes() const { return strokes_; }

    // Writes the race file from the session on show. Every rewrite carries
    // the race's pictures: `pictures` when given, else what the picture
    // source says, else the PIC line the race was opened with.
    RewriteResult rewrite(std::optional<PictureLine> pictures = std::nullopt);
    // The picture settings as they are now (a dropped folder, a turned
    // correction), for the rewrites the editor makes on its own.
    void setPictureLineSource(std::function<std::optional<PictureLine>()> source) {
        pictureSource_ = std::move(source);
    }
    // Where "Save Wind Data" asks before it overwrites another race's wind;
    // message boxes over the panel until one is given.
    void setQuestions(DropQuestions* questions) { questions_ = questions; }

  signals:
    // The session with the course as edited: the window shows it.
    void edited(std::shared_ptr<const RaceSession> session);
    void failed(const QString& message);
    // "Make Wind Data" was ticked: the Graph page should show.
    void graphWanted();

  private:
    void publish();
    void windOk();
    void makeWind(bool on);
    void saveWind();
    void afterRewrite(const RewriteResult& result);

    CourseEditPanel* panel_;
    std::shared_ptr<const RaceSession> session_;
    CourseEditor editor_;
    std::optional<std::vector<WindSample>> drawnWind_;
    // The samples of the wind file the race file names: a history being
    // drawn is not on disk until it is saved.
    std::vector<WindSample> storedWind_;
    std::function<std::optional<PictureLine>()> pictureSource_;
    DropQuestions* questions_ = nullptr;
    BoxQuestions boxes_;
    std::vector<QPoint> strokes_;
    bool toldReadOnly_ = false;
};

}  // namespace korvane

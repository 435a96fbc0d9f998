// The course-editing panel: what the Shift-clicks on the map do, the marks,
// lines and course as they stand, the mean wind, and the wind history drawn
// on the Graph page. It only shows and forwards; the editing itself belongs
// to CourseEditing.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

#include "race/course_editor.h"

namespace korvane {

class CourseEditPanel : public QWidget {
    Q_OBJECT
  public:
    explicit CourseEditPanel(QWidget* parent = nullptr);

    // The fields after every edit.
    void fillCourseFields(const CourseDraft& draft);
    void showAction(EditAction action);

    QString windText() const { return windField_->text(); }
    // "Make Wind Data" unticked without its consequences.
    void clearMakeWind();
    // "Make Wind Data" as if the user ticked or unticked it.
    void setMakeWind(bool on);
    void setSaveWindEnabled(bool on);
    void setUndoEnabled(bool on);
    // Whenever `page` is shown or raised over it, the panel rises again: the
    // wind history is drawn on a page, and its "Save Wind Data" must stay in
    // reach there.
    void keepAbove(QWidget* page);

  signals:
    void actionChosen(EditAction action);
    void resetCourseRequested();
    void undoRequested();
    void windOkRequested();
    void makeWindToggled(bool on);
    void saveWindRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* below_ = nullptr;
    QRadioButton* markButton_ = nullptr;    // "Mark Pos Setting"
    QRadioButton* lineButton_ = nullptr;    // "Line Pos Setting"
    QRadioButton* courseButton_ = nullptr;  // "Course Setting"
    QLineEdit* marksField_ = nullptr;
    QLineEdit* linesField_ = nullptr;
    QLineEdit* courseField_ = nullptr;
    QLineEdit* windField_ = nullptr;  // the mean wind as typed
    QSpinBox* windSpin_ = nullptr;    // the same, as a number
    QPushButton* resetCourseButton_ = nullptr;
    QPushButton* windOkButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QCheckBox* makeWindBox_ = nullptr;
    QPushButton* saveWindButton_ = nullptr;
};

}  // namespace korvane

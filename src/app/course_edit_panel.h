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

    QRadioButton* markButton = nullptr;    // "Mark Pos Setting"
    QRadioButton* lineButton = nullptr;    // "Line Pos Setting"
    QRadioButton* courseButton = nullptr;  // "Course Setting"
    QLineEdit* marksField = nullptr;
    QLineEdit* linesField = nullptr;
    QLineEdit* courseField = nullptr;
    QLineEdit* windField = nullptr;  // the mean wind as typed
    QSpinBox* windSpin = nullptr;    // the same, as a number
    QPushButton* resetCourseButton = nullptr;
    QPushButton* windOkButton = nullptr;
    QPushButton* undoButton = nullptr;
    QCheckBox* makeWindBox = nullptr;
    QPushButton* saveWindButton = nullptr;

  signals:
    void actionChosen(EditAction action);
};

}  // namespace korvane

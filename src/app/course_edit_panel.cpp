#include "app/course_edit_panel.h"

#include <QGridLayout>
#include <QLabel>

namespace korvane {

CourseEditPanel::CourseEditPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    // The panel takes the size its captions need in either language.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    markButton = new QRadioButton(tr("Mark Pos Setting"), this);
    lineButton = new QRadioButton(tr("Line Pos Setting"), this);
    courseButton = new QRadioButton(tr("Course Setting"), this);
    marksField = new QLineEdit(this);
    linesField = new QLineEdit(this);
    courseField = new QLineEdit(this);
    for (QLineEdit* f : {marksField, linesField, courseField}) f->setReadOnly(true);
    windField = new QLineEdit(this);
    windSpin = new QSpinBox(this);
    windSpin->setRange(0, 359);
    windSpin->setWrapping(true);
    resetCourseButton = new QPushButton(tr("Reset Course"), this);
    windOkButton = new QPushButton(tr("Wind Direction OK"), this);
    undoButton = new QPushButton(tr("Undo"), this);
    undoButton->setEnabled(false);
    makeWindBox = new QCheckBox(tr("Make Wind Data"), this);
    saveWindButton = new QPushButton(tr("Save Wind Data"), this);
    saveWindButton->setEnabled(false);

    grid->addWidget(markButton, 0, 0);
    grid->addWidget(marksField, 0, 1, 1, 2);
    grid->addWidget(lineButton, 1, 0);
    grid->addWidget(linesField, 1, 1, 1, 2);
    grid->addWidget(courseButton, 2, 0);
    grid->addWidget(courseField, 2, 1, 1, 2);
    grid->addWidget(resetCourseButton, 3, 0);
    grid->addWidget(undoButton, 3, 1);
    auto* windLabel = new QLabel(tr(" Mean Wind Direction (Mag)"), this);
    grid->addWidget(windLabel, 4, 0);
    grid->addWidget(windField, 4, 1);
    grid->addWidget(windSpin, 4, 2);
    grid->addWidget(windOkButton, 5, 0, 1, 3);
    grid->addWidget(makeWindBox, 6, 0);
    grid->addWidget(saveWindButton, 6, 1, 1, 2);

    // The language switch finds the captions by these names; over the panel
    // the tip box goes away.
    setObjectName(QStringLiteral("courseEditPanel"));
    const std::pair<QWidget*, const char*> named[] = {
        {markButton, "markPosButton"},      {lineButton, "linePosButton"},
        {courseButton, "courseSetButton"},  {resetCourseButton, "resetCourseButton"},
        {undoButton, "undoEditButton"},     {windLabel, "meanWindLabel"},
        {windOkButton, "windOkButton"},     {makeWindBox, "makeWindBox"},
        {saveWindButton, "saveWindButton"}, {marksField, "marksField"},
        {linesField, "linesField"},         {courseField, "courseField"},
        {windField, "windField"},           {windSpin, "windSpin"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));

    const std::pair<QRadioButton*, EditAction> choices[] = {
        {markButton, EditAction::PlaceMarks},
        {lineButton, EditAction::LineFirstEnd},
        {courseButton, EditAction::BuildCourse}};
    for (const auto& [button, action] : choices)
        connect(button, &QRadioButton::toggled, this, [this, a = action](bool on) {
            if (on) emit actionChosen(a);
        });
    // Typing shows the folded number beside it; the race takes it only on
    // "Wind Direction OK".
    connect(windField, &QLineEdit::textChanged, this, [this](const QString& text) {
        windSpin->setValue(windDirectionFromText(text.toStdString()).value_or(0));
    });
}

void CourseEditPanel::fillCourseFields(const CourseDraft& d) {
    QString marks, lines, course;
    for (int i = 1; i <= d.marks.count(); ++i) marks += QStringLiteral("  %1MK").arg(i);
    for (int i = 1; i <= d.lines.count(); ++i) lines += QStringLiteral("  %1line").arg(i);
    for (const std::string& e : d.course)
        course += QStringLiteral("  ") + QString::fromStdString(e);
    marksField->setText(marks);
    linesField->setText(lines);
    courseField->setText(course);
    const QSignalBlocker quiet(windField);
    windField->setText(QString::number(d.windDirectionInput));
    windSpin->setValue(d.windDirection);
}

void CourseEditPanel::showAction(EditAction action) {
    QRadioButton* button =
        action == EditAction::PlaceMarks                                            ? markButton
        : action == EditAction::BuildCourse                                         ? courseButton
        : action == EditAction::LineFirstEnd || action == EditAction::LineSecondEnd ? lineButton
                                                                                    : nullptr;
    if (button && !button->isChecked()) {
        const QSignalBlocker quiet(button);
        button->setChecked(true);
    }
}

}  // namespace korvane

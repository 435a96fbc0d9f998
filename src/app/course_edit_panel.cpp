#include "app/course_edit_panel.h"

#include <QEvent>
#include <QSignalBlocker>

#include <QGridLayout>
#include <QLabel>

namespace korvane {

void CourseEditPanel::keepAbove(QWidget* page) {
    if (below_) below_->removeEventFilter(this);
    below_ = page;
    if (page) page->installEventFilter(this);
}

bool CourseEditPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == below_ && isVisible() &&
        (event->type() == QEvent::Show || event->type() == QEvent::ZOrderChange))
        raise();
    return QWidget::eventFilter(watched, event);
}

CourseEditPanel::CourseEditPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    // The panel takes the size its captions need in either language.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    markButton_ = new QRadioButton(this);
    lineButton_ = new QRadioButton(this);
    courseButton_ = new QRadioButton(this);
    marksField_ = new QLineEdit(this);
    linesField_ = new QLineEdit(this);
    courseField_ = new QLineEdit(this);
    for (QLineEdit* f : {marksField_, linesField_, courseField_}) f->setReadOnly(true);
    windField_ = new QLineEdit(this);
    windSpin_ = new QSpinBox(this);
    windSpin_->setRange(0, 359);
    windSpin_->setWrapping(true);
    resetCourseButton_ = new QPushButton(this);
    windOkButton_ = new QPushButton(this);
    undoButton_ = new QPushButton(this);
    undoButton_->setEnabled(false);
    makeWindBox_ = new QCheckBox(this);
    saveWindButton_ = new QPushButton(this);
    saveWindButton_->setEnabled(false);

    grid->addWidget(markButton_, 0, 0);
    grid->addWidget(marksField_, 0, 1, 1, 2);
    grid->addWidget(lineButton_, 1, 0);
    grid->addWidget(linesField_, 1, 1, 1, 2);
    grid->addWidget(courseButton_, 2, 0);
    grid->addWidget(courseField_, 2, 1, 1, 2);
    grid->addWidget(resetCourseButton_, 3, 0);
    grid->addWidget(undoButton_, 3, 1);
    auto* windLabel = new QLabel(this);
    grid->addWidget(windLabel, 4, 0);
    grid->addWidget(windField_, 4, 1);
    grid->addWidget(windSpin_, 4, 2);
    grid->addWidget(windOkButton_, 5, 0, 1, 3);
    grid->addWidget(makeWindBox_, 6, 0);
    grid->addWidget(saveWindButton_, 6, 1, 1, 2);

    // The language switch finds the captions by these names; over the panel
    // the tip box goes away.
    setObjectName(QStringLiteral("courseEditPanel"));
    const std::pair<QWidget*, const char*> named[] = {
        {markButton_, "markPosButton"},      {lineButton_, "linePosButton"},
        {courseButton_, "courseSetButton"},  {resetCourseButton_, "resetCourseButton"},
        {undoButton_, "undoEditButton"},     {windLabel, "meanWindLabel"},
        {windOkButton_, "windOkButton"},     {makeWindBox_, "makeWindBox"},
        {saveWindButton_, "saveWindButton"}, {marksField_, "marksField"},
        {linesField_, "linesField"},         {courseField_, "courseField"},
        {windField_, "windField"},           {windSpin_, "windSpin"},
    };
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
    connect(resetCourseButton_, &QPushButton::clicked, this,
            &CourseEditPanel::resetCourseRequested);
    connect(undoButton_, &QPushButton::clicked, this, &CourseEditPanel::undoRequested);
    connect(windOkButton_, &QPushButton::clicked, this, &CourseEditPanel::windOkRequested);
    connect(makeWindBox_, &QCheckBox::toggled, this, &CourseEditPanel::makeWindToggled);
    connect(saveWindButton_, &QPushButton::clicked, this, &CourseEditPanel::saveWindRequested);

    const std::pair<QRadioButton*, EditAction> choices[] = {
        {markButton_, EditAction::PlaceMarks},
        {lineButton_, EditAction::LineFirstEnd},
        {courseButton_, EditAction::BuildCourse}};
    for (const auto& [button, action] : choices)
        connect(button, &QRadioButton::toggled, this, [this, a = action](bool on) {
            if (on) emit actionChosen(a);
        });
    // Typing shows the folded number beside it; the race takes it only on
    // "Wind Direction OK".
    connect(windField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        windSpin_->setValue(windDirectionFromText(text.toStdString()).value_or(0));
    });
}

void CourseEditPanel::fillCourseFields(const CourseDraft& d) {
    QString marks, lines, course;
    for (int i = 1; i <= d.marks.count(); ++i) marks += QStringLiteral("  %1MK").arg(i);
    for (int i = 1; i <= d.lines.count(); ++i) lines += QStringLiteral("  %1line").arg(i);
    for (const std::string& e : d.course)
        course += QStringLiteral("  ") + QString::fromStdString(e);
    marksField_->setText(marks);
    linesField_->setText(lines);
    courseField_->setText(course);
    const QSignalBlocker quiet(windField_);
    windField_->setText(QString::number(d.windDirectionInput));
    windSpin_->setValue(d.windDirection);
}

void CourseEditPanel::showAction(EditAction action) {
    QRadioButton* button =
        action == EditAction::PlaceMarks                                            ? markButton_
        : action == EditAction::BuildCourse                                         ? courseButton_
        : action == EditAction::LineFirstEnd || action == EditAction::LineSecondEnd ? lineButton_
                                                                                    : nullptr;
    if (button && !button->isChecked()) {
        const QSignalBlocker quiet(button);
        button->setChecked(true);
    }
}

void CourseEditPanel::clearMakeWind() {
    const QSignalBlocker quiet(makeWindBox_);
    makeWindBox_->setChecked(false);
}

void CourseEditPanel::setMakeWind(bool on) {
    makeWindBox_->setChecked(on);
}

void CourseEditPanel::setSaveWindEnabled(bool on) {
    saveWindButton_->setEnabled(on);
}

void CourseEditPanel::setUndoEnabled(bool on) {
    undoButton_->setEnabled(on);
}

}  // namespace korvane

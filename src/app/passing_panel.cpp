#include "app/passing_panel.h"

#include <QGridLayout>

namespace korvane {

namespace {
QPushButton* button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);  // the window's keys stay with the window
    return b;
}
}  // namespace

PassingPanel::PassingPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("passingPanel");
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    setPalette(pal);
    auto* title = new QLabel(this);
    title->setObjectName("passingTitle");
    facts_ = new QLabel(this);
    facts_->setObjectName("passingFacts");
    auto* pin = button(this, "passingPinHereButton");
    auto* notPassed = button(this, "passingNotPassedButton");
    clear_ = button(this, "passingClearButton");
    undo_ = button(this, "passingUndoButton");
    redo_ = button(this, "passingRedoButton");
    auto* close = button(this, "passingCloseButton");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(3);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(facts_, 1, 0, 1, 3);
    grid->addWidget(pin, 2, 0);
    grid->addWidget(notPassed, 2, 1);
    grid->addWidget(clear_, 2, 2);
    grid->addWidget(undo_, 3, 0);
    grid->addWidget(redo_, 3, 1);
    grid->addWidget(close, 3, 2);
    connect(pin, &QPushButton::clicked, this, &PassingPanel::pinHereRequested);
    connect(notPassed, &QPushButton::clicked, this, &PassingPanel::notPassedRequested);
    connect(clear_, &QPushButton::clicked, this, &PassingPanel::clearRequested);
    connect(undo_, &QPushButton::clicked, this, &PassingPanel::undoRequested);
    connect(redo_, &QPushButton::clicked, this, &PassingPanel::redoRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    setUndoRedo(false, false);
}

void PassingPanel::showPassing(const QString& facts, bool corrected) {
    facts_->setText(facts);
    clear_->setEnabled(corrected);
    adjustSize();
}

void PassingPanel::setUndoRedo(bool canUndo, bool canRedo) {
    undo_->setEnabled(canUndo);
    redo_->setEnabled(canRedo);
}

}  // namespace korvane

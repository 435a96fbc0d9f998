// The mark passing panel over the map: which boat's passing of which course
// point is picked on the time bar, with its facts, and the buttons that
// correct it. It only shows and forwards; PassingEditing does the work.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace korvane {

class PassingPanel : public QFrame {
    Q_OBJECT
  public:
    explicit PassingPanel(QWidget* parent = nullptr);

    // The picked passing: its facts, and whether a correction holds it.
    void showPassing(const QString& facts, bool corrected);
    void setUndoRedo(bool canUndo, bool canRedo);
    QString facts() const { return facts_->text(); }

  signals:
    void pinHereRequested();
    void notPassedRequested();
    void clearRequested();
    void undoRequested();
    void redoRequested();

  private:
    QLabel* facts_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
};

}  // namespace korvane

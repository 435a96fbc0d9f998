// The small panel of the window's conveniences: the flag of the other
// language, the help button and label, and the stopwatch with its read-out.
// It holds the controls; WindowChrome gives them their work.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "ui_text/language.h"

namespace korvane {

class DocumentsPanel : public QWidget {
    Q_OBJECT
  public:
    explicit DocumentsPanel(QWidget* parent = nullptr);

    // Only the flag of the other language is offered.
    void showLanguage(Language language);

    QToolButton* japaneseFlag = nullptr;
    QToolButton* englishFlag = nullptr;
    QPushButton* helpButton = nullptr;
    QLabel* helpLabel = nullptr;
    QPushButton* stopwatchButton = nullptr;
    QLabel* stopwatchReadout = nullptr;

  signals:
    void helpLabelClicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace korvane

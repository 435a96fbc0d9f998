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

    // The stopwatch's button caption and read-out.
    void showStopwatch(const QString& caption, const QString& readout, bool readoutShown);
    void showStopwatchReadout(const QString& readout);

  signals:
    void languageRequested(Language language);
    void helpRequested();
    void helpLabelClicked();
    void stopwatchPressed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* japaneseFlag_ = nullptr;
    QToolButton* englishFlag_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QLabel* helpLabel_ = nullptr;
    QPushButton* stopwatchButton_ = nullptr;
    QLabel* stopwatchReadout_ = nullptr;
};

}  // namespace korvane

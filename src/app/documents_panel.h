// The window's conveniences: the flag of the other language, the help
// button and label, and the stopwatch with its read-out. It holds the
// controls, which stand in the panels around them (the flags and the help
// label in the control panel, the help button beside the overview, the
// stopwatch on the map); WindowChrome gives them their work.
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

    // Moves the controls into the panels they stand in, once.
    void standIn(QWidget* controls, QPoint flagsAt, const QRect& helpLabelAt, QWidget* logo,
                 const QRect& helpButtonRoom, QWidget* mapArea);
    // Help is offered only where its pages are.
    void showHelp(bool pagesExist);
    // The stopwatch over the map, or nowhere (an empty place, or `shown` false).
    void placeStopwatch(const QRect& button, const QRect& readout, bool shown);

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
    bool readoutShown_ = false;
};

}  // namespace korvane

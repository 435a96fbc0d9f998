// What the window says after it wrote a file for another program: where
// the file went, and, when the desktop has no program for that kind of
// file, that nothing will show it. The line stands over the foot of the
// map (or the page in its place) for a few seconds; it is no part of the
// layout, so it moves no panel.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "ui_text/language.h"

class QLabel;
class QWidget;

namespace korvane {

class ExportStatus : public QObject {
    Q_OBJECT
  public:
    // The line is drawn over `area` (its parent's child), in the language
    // `language` answers at the moment of each export.
    ExportStatus(QWidget* area, std::function<Language()> language);

    // Hands `file` to the desktop's handler and says where it went.
    void handOver(const std::filesystem::path& file);
    // Takes the line away, before a screen shot of the area.
    void clear();
    // What the line says now; empty when it is not on show.
    QString text() const;

    static QString message(const std::filesystem::path& file, bool shown, Language language);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();

    QWidget* area_;
    std::function<Language()> language_;
    QLabel* line_;
    QTimer hideTimer_;
};

}  // namespace korvane

// What the window says after it wrote a file for another program: where
// the file went, and, when the desktop has no program for that kind of
// file, that nothing will show it; and what an opening warned about (a
// line of the race file skipped, a log out of order, no shoreline), which
// would otherwise go unseen outside the CLI. The line stands over the foot of the
// map (or the page in its place) for a few seconds; it is no part of the
// layout, so it moves no panel, and it belongs to the window, not to the
// area under it, so a screen shot of that area never holds it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "ui_text/language.h"

class QLabel;
class QWidget;

namespace korvane {

class RaceSession;
class ReplayController;

class ExportStatus : public QObject {
    Q_OBJECT
  public:
    // The line is drawn over `area`, in the language `language` answers at
    // the moment of each export.
    ExportStatus(QWidget* area, std::function<Language()> language);

    // Hands `file` to the desktop's handler and says where it went.
    void handOver(const std::filesystem::path& file);
    void handOverFile(const QString& path);
    // Each new race's warnings: the first and how many there were, all of
    // them in the line's tip; nothing for a race that opened without one.
    void follow(const ReplayController& controller);
    void showWarnings(std::shared_ptr<const RaceSession> session);
    void clear();
    // What the line says now; empty when it is not on show.
    QString text() const;

    static QString message(const std::filesystem::path& file, bool shown, Language language);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void say(const QString& text, const QString& tip);
    void place();

    QWidget* area_;
    std::function<Language()> language_;
    QLabel* line_;
    QTimer hideTimer_;
};

}  // namespace korvane

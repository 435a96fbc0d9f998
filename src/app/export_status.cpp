#include "app/export_status.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "app/desktop.h"
#include "app/replay_controller.h"
#include "session/race_session.h"
#include "ui_text/message_table.h"

namespace korvane {

namespace {

// Long enough to read a long path, short enough not to hide the boats.
constexpr int kShownMs = 10'000;
constexpr int kMargin = 4;

QString displayPath(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.string()));
}

}  // namespace

ExportStatus::ExportStatus(QWidget* area, std::function<Language()> language)
    : QObject(area),
      area_(area),
      language_(std::move(language)),
      line_(new QLabel(area->window())) {
    line_->setObjectName(QStringLiteral("exportStatusLine"));
    line_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255, 255, 225, 235); color: black; padding: 2px 6px; "
        "border: 1px solid #808080; }"));
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line_->hide();
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &ExportStatus::clear);
    area_->installEventFilter(this);
}

QString ExportStatus::message(const std::filesystem::path& file, bool shown, Language language) {
    if (shown)
        return QString::fromUtf8(messageText(Message::ExportSaved, language))
            .arg(displayPath(file));
    QString kind = displayPath(file.extension());
    if (kind.startsWith(QLatin1Char('.'))) kind.remove(0, 1);
    return QString::fromUtf8(messageText(Message::ExportNoViewer, language))
        .arg(displayPath(file), kind.toLower());
}

void ExportStatus::handOver(const std::filesystem::path& file) {
    const bool opened = openWithDesktop(displayPath(file));
    // A started opener is no proof: the desktop may have nothing for the kind.
    const bool shown = opened && desktopHasHandlerFor(file);
    say(message(file, shown, language_()), {});
}

void ExportStatus::follow(const ReplayController& controller) {
    connect(&controller, &ReplayController::sessionChanged, this, &ExportStatus::showWarnings);
}

void ExportStatus::showWarnings(std::shared_ptr<const RaceSession> session) {
    if (!session || session->warnings.empty()) return;
    QStringList all;
    for (const std::string& w : session->warnings) all << QString::fromStdString(w);
    say(QString::fromUtf8(messageText(Message::OpeningWarned, language_()))
            .arg(all.size())
            .arg(all.front()),
        all.join(QLatin1Char('\n')));
}

void ExportStatus::say(const QString& text, const QString& tip) {
    line_->setText(text);
    line_->setToolTip(tip);
    place();
    line_->show();
    line_->raise();
    hideTimer_.start(kShownMs);
}

void ExportStatus::handOverFile(const QString& path) {
    handOver(QFile::encodeName(path).toStdString());
}

void ExportStatus::clear() {
    hideTimer_.stop();
    line_->hide();
    line_->clear();
}

QString ExportStatus::text() const {
    return line_->isVisible() ? line_->text() : QString();
}

bool ExportStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place();
    return QObject::eventFilter(watched, event);
}

void ExportStatus::place() {
    const QRect area(area_->mapTo(line_->parentWidget(), QPoint(0, 0)), area_->size());
    line_->setMaximumWidth(std::max(0, area.width() - 2 * kMargin));
    line_->adjustSize();
    line_->move(area.left() + kMargin, area.bottom() + 1 - kMargin - line_->height());
}

}  // namespace korvane

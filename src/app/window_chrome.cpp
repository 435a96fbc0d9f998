#include "app/window_chrome.h"

#include <algorithm>

#include "app/captions.h"
#include "app/window_layout.h"
#include "ui_text/caption_table.h"
#include "ui_text/documents.h"
#include "weather/weather_address.h"

namespace korvane {

namespace {

constexpr int kListWidth = 180;
constexpr int kListRows = 8;

QUrl fileUrl(const std::filesystem::path& p) {
    return QUrl::fromLocalFile(QString::fromStdString(p.string()));
}

}  // namespace

WindowChrome::WindowChrome(QWidget* area, ControlPanel* controls, QWidget* logo,
                           const QRect& helpRoom, std::filesystem::path dataRoot, ChromeHooks hooks)
    : QObject(area),
      area_(area),
      controls_(controls),
      dataRoot_(std::move(dataRoot)),
      hooks_(std::move(hooks)),
      opener_(desktopOpener()) {
    panel_ = new DocumentsPanel(area);
    panel_->standIn(controls_, ControlPanel::kFlagsAt, ControlPanel::kHelpLabelAt, logo, helpRoom,
                    area);
    attachments_ = new AttachmentList([this](const QUrl& url) { return opener_(url); }, area);
    tips_ = new TipController(area);
    tips_->setPlayingQuery(hooks_.playing);
    tips_->setTrackPageQuery(hooks_.trackPage);
    tips_->setTipsEnabled(controls_->tipsOn());

    connect(panel_, &DocumentsPanel::languageRequested, this, &WindowChrome::setLanguage);
    connect(panel_, &DocumentsPanel::helpRequested, this, &WindowChrome::openHelp);
    connect(panel_, &DocumentsPanel::helpLabelClicked, this, &WindowChrome::openJapaneseHelp);
    connect(panel_, &DocumentsPanel::stopwatchPressed, this, &WindowChrome::pressStopwatch);
    connect(controls_, &ControlPanel::tipsToggled, tips_, &TipController::setTipsEnabled);
    connect(controls_, &ControlPanel::attachmentsRequested, this, &WindowChrome::pressAttachments);
    connect(controls_, &ControlPanel::weatherRequested, this, &WindowChrome::openWeather);

    setLanguage(
        startLanguage(QLocale::system().language() == QLocale::Japanese, japaneseFontInstalled()));
}

void WindowChrome::setLanguage(Language language) {
    language_ = language;
    applyLanguage(area_->window(), language);
    panel_->showLanguage(language);
    tips_->setLanguage(language);
    // Widgets added since the last switch are watched from now on.
    tips_->attach();
    emit languageChanged();
}

void WindowChrome::setOpener(DocumentOpener opener) {
    opener_ = std::move(opener);
}

void WindowChrome::open(const QUrl& url) {
    // A failing desktop handler is not the user's business: nothing to report.
    if (opener_) opener_(url);
}

void WindowChrome::raceOpened(std::shared_ptr<const RaceSession> session) {
    session_ = std::move(session);
    std::vector<std::string> names;
    for (const std::string& name : session_->model.race.attachments) names.push_back(name);
    attachments_->setDocuments(dataRoot_, std::move(names));
    // Without attachments the button still stops the replay and beeps.
    controls_->setRaceButtonsEnabled(true, true);
}

void WindowChrome::replayMoved(double seconds) {
    if (stopwatch_.state() != Stopwatch::State::Running) return;
    stopwatch_.tick(seconds);
    panel_->showStopwatchReadout(QString::fromStdString(stopwatch_.readout()));
}

void WindowChrome::pressStopwatch() {
    stopwatch_.press(hooks_.replaySeconds());
    panel_->showStopwatch(QString::fromLatin1(stopwatch_.caption()),
                          QString::fromStdString(stopwatch_.readout()), stopwatch_.readoutShown());
}

void WindowChrome::openWebSite() {
    open(QUrl(QString::fromLatin1(kWebSiteAddress)));
}

void WindowChrome::openHelp() {
    if (const auto page = helpPageToOpen(dataRoot_, language_)) open(fileUrl(*page));
}

void WindowChrome::openJapaneseHelp() {
    hooks_.beep(1);
    if (const auto page = helpPage(dataRoot_, "help/index.html")) open(fileUrl(*page));
}

void WindowChrome::pressAttachments() {
    hooks_.stopReplay();
    hooks_.beep(1);
    attachments_->press();
}

void WindowChrome::openWeather() {
    if (!session_) return;
    hooks_.stopReplay();
    const Viewport& view = hooks_.viewport();
    const auto area = nearestWeatherArea(view.centreLat, view.centreLon);
    const Timestamp moment = replayMoment(session_->model.race.start, hooks_.replaySeconds());
    const std::string address = weatherAddress(moment, clock_.now(), area ? &*area : nullptr);
    open(QUrl(QString::fromStdString(address)));
}

void WindowChrome::layout(const QRect& button, const QRect& readout, bool stopwatchShown) {
    panel_->placeStopwatch(button, readout, stopwatchShown);
    // "?" and the help label lead to the pages only where they are.
    panel_->showHelp(helpPage(dataRoot_, "help/index.html").has_value());
    // The list's bottom stands 3 pixels above the attachments button.
    const QPoint at = controls_->attachmentsButtonAt(area_);
    const int height = kListRows * attachments_->fontMetrics().height() + 6;
    attachments_->setGeometry(std::clamp(at.x(), 0, std::max(0, area_->width() - kListWidth)),
                              std::max(0, at.y() - 3 - height), kListWidth, height);
    attachments_->raise();
    tips_->box()->raise();
}

}  // namespace korvane

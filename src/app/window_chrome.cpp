#include "app/window_chrome.h"

#include <algorithm>

#include "app/captions.h"
#include "app/window_layout.h"
#include "ui_text/caption_table.h"
#include "ui_text/documents.h"
#include "weather/weather_address.h"

namespace korvane {

namespace {

constexpr int kMargin = 5;
constexpr int kListWidth = 180;
constexpr int kListRows = 8;

QUrl fileUrl(const std::filesystem::path& p) {
    return QUrl::fromLocalFile(QString::fromStdString(p.string()));
}

}  // namespace

WindowChrome::WindowChrome(QWidget* area, ControlPanel* controls, std::filesystem::path dataRoot,
                           ChromeHooks hooks)
    : QObject(area),
      area_(area),
      controls_(controls),
      dataRoot_(std::move(dataRoot)),
      hooks_(std::move(hooks)),
      opener_(desktopOpener()) {
    panel_ = new DocumentsPanel(area);
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
    // Japanese captions take more height; the transport buttons must not
    // end under the row below them.
    controls_->fitHeight();
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
    controls_->setRaceButtonsEnabled(session_->raceFile.window.hasAttachments, true);
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
    // The row grows with the read-out, which would otherwise be cut off at
    // the row's old width.
    fitPanel();
}

void WindowChrome::fitPanel() {
    panel_->adjustSize();
    // Within the side column: the stopwatch button gives way first.
    panel_->resize(std::min(panel_->width(), kSideColumnWidth), panel_->height());
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

void WindowChrome::layout(int mapWidth, int height) {
    fitPanel();
    panel_->move(mapWidth, height - panel_->height() - kMargin);
    panel_->raise();
    // The list stands left of the attachments button.
    const QPoint button = controls_->attachmentsButtonAt(area_);
    attachments_->setGeometry(std::max(0, button.x() - kListWidth - kMargin), button.y(),
                              kListWidth, kListRows * attachments_->fontMetrics().height() + 6);
    attachments_->raise();
    tips_->box()->raise();
}

}  // namespace korvane

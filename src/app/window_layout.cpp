#include "app/window_layout.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr int kSizePanelGap = 35;  // under a small map: the size panel
constexpr int kStopwatchSize[] = {73, 20};
constexpr int kCtPanelFromRight = 100;
constexpr int kPlaySpeedNoteWidth = 175;
constexpr int kCaptionHeight = 20;
constexpr int kJumpOverPictureSettings = 3;  // the gap between the two panels
// Panels whose edge has come this close to the map's edge are "at" that edge.
constexpr int kNearEdge = 50;
// The largest map bitmap a typed size may ask for.
constexpr int kLargestPreference = 8192;

QRect at(int left, int top, QSize size) {
    return QRect(QPoint(left, top), size);
}

}  // namespace

QSize smallScreenSize(SmallScreen mode, QSize preference) {
    switch (mode) {
        case SmallScreen::S800x600:
            return {800, 600};
        case SmallScreen::S800x480:
            return {800, 480};
        case SmallScreen::S640x480:
            return {640, 480};
        case SmallScreen::S480x320:
            return {480, 320};
        case SmallScreen::Preference:
            return preference;
        case SmallScreen::Off:
            break;
    }
    return {};
}

std::optional<QSize> preferenceSize(const QString& widthText, const QString& heightText) {
    bool okW = false, okH = false;
    const int w = widthText.trimmed().toInt(&okW);
    const int h = heightText.trimmed().toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > kLargestPreference || h > kLargestPreference)
        return std::nullopt;
    return QSize(w, h);
}

WindowLayout layoutWindow(const LayoutInput& in) {
    WindowLayout out;
    const int W = std::max(in.client.width(), 0);
    const int H = std::max(in.client.height(), 0);
    const int columnLeft = W - kSideColumnWidth;
    out.splash = QRect(0, 0, W, H);
    out.controls =
        QRect(columnLeft, H - in.controlPanelHeight, kSideColumnWidth, in.controlPanelHeight);
    // On a low window the logo gives way to the controls, which must stay whole.
    out.logo = QRect(columnLeft, 0, kSideColumnWidth,
                     std::clamp(H - in.controlPanelHeight, 0, kLogoHeight));
    const int room = H - kLogoHeight - in.controlPanelHeight;
    const int need = in.boatListHeight;
    // Under the logo when it fits above the controls; else it rises over the
    // logo, which the controls cannot spare: the race list and the page
    // buttons stay in reach on a low window.
    const int top =
        need <= std::max(room, 0) ? kLogoHeight : std::max(0, H - in.controlPanelHeight - need);
    // What does not fit above the controls scrolls.
    const int height =
        need < room ? room : std::min(need, std::max(0, H - in.controlPanelHeight - top));
    out.boatList = QRect(columnLeft, top, kSideColumnWidth, height);
    out.timeBar = QRect(columnLeft - kTimeBarWidth, 0, kTimeBarWidth, H);

    const bool small = in.smallScreen != SmallScreen::Off;
    out.map = small ? QRect(QPoint(0, 0), in.smallScreenMapSize)
                    : QRect(0, 0, std::max(out.timeBar.left(), 1), H);
    const int mw = out.map.width();
    const int mh = out.map.height();

    out.flagPanel = at(mw - kPanelMargin - in.flagPanel.width(), kPanelMargin, in.flagPanel);
    out.rankingPanel = at(
        mw - kPanelMargin - in.rankingPanel.width(),
        mh < in.rankingPanel.height() ? mh - in.rankingPanel.height() - kPanelMargin : kPanelMargin,
        in.rankingPanel);
    // The mode buttons stay off a small map: a movie of the race shows the
    // race, not the controls.
    out.ctModePanel =
        at(std::max(out.timeBar.left(), 1) - kCtPanelFromRight - in.ctModePanel.width(),
           H - kPanelMargin - in.ctModePanel.height(), in.ctModePanel);
    const QSize watch(kStopwatchSize[0], kStopwatchSize[1]);
    out.stopwatchButton = at(mw - 78, mh - 140, watch);
    out.stopwatchClock = at(mw - 78, mh - 162, watch);
    // A small map is a movie's frame: the settings stay at the window's
    // bottom, off the frame where it leaves them room.
    const int settingsBottom = small ? H : out.map.bottom() + 1;
    out.pictureSettings =
        at(kPanelMargin, settingsBottom - in.pictureSettings.height() - kPanelMargin,
           in.pictureSettings);
    const int jumpBottom =
        in.pictureSettingsShown ? out.pictureSettings.top() - kJumpOverPictureSettings : H;
    out.jumpPanel = at(kPanelMargin, jumpBottom - in.jumpPanel.height(), in.jumpPanel);
    out.diagnostics = at(kPanelMargin, H - kPanelMargin - in.diagnostics.height(), in.diagnostics);
    if (small) {
        // Under the map's middle, but never beyond the window's left edge,
        // where a size button could no longer be reached.
        out.sizePanel =
            at(std::max(0, static_cast<int>(std::lround((mw - in.sizePanel.width()) / 2.0))),
               mh + kSizePanelGap, in.sizePanel);
        out.caption = QRect(112, 2, in.captionWidth + 15, kCaptionHeight);
        out.ctCaption = QRect(out.caption.right() + 3, 2, 60, kCaptionHeight);
        out.playSpeedNote = QRect(mw - 180, mh - 17, kPlaySpeedNoteWidth, 17);
        out.stopwatchButton = out.stopwatchClock = QRect();
    }
    return out;
}

QPoint centredTopLeft(const QRect& screen, QSize frame) {
    const QPoint centre = screen.center();
    const int left = centre.x() - (frame.width() - 1) / 2;
    const int top = centre.y() - (frame.height() - 1) / 2;
    return {std::max(left, screen.left()), std::max(top, screen.top())};
}

ScorePlaces moveOutOfTheWay(ScoreHover hovered, ScorePlaces p, QSize map) {
    const int W = map.width();
    const int H = map.height();
    auto rankingToRight = [&] { p.ranking.moveLeft(W - p.ranking.width() - kPanelMargin); };
    auto classTo = [&](bool top) {
        p.classRanking->moveTop(top ? kPanelMargin : H - p.classRanking->height() - kPanelMargin);
    };
    switch (hovered) {
        case ScoreHover::Ranking:
            if (p.ranking.left() <= kNearEdge) {
                rankingToRight();
            } else {
                p.ranking.moveLeft(kPanelMargin);
                if (p.classRanking && p.classRanking->top() < kNearEdge) classTo(false);
            }
            break;
        case ScoreHover::ClassRankingFrame:
            if (!p.classRanking) break;
            classTo(p.classRanking->top() >= kNearEdge);
            rankingToRight();
            break;
        case ScoreHover::ClassRankingPicture:
            if (!p.classRanking) break;
            if (p.classRanking->top() >= kNearEdge) {
                classTo(true);
                rankingToRight();
            } else {
                classTo(false);
            }
            break;
    }
    return p;
}

}  // namespace korvane

// Where every panel of the window stands, worked out from the client size
// and the modes alone, so that a resize, a race opening and the small-screen
// sizes all place the panels the same way and a table can check them. The
// window only applies the result. A panel that needs a place adds a field.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace korvane {

// Between a panel and the edge of the map or of the window.
inline constexpr int kPanelMargin = 5;
inline constexpr int kSideColumnWidth = 265;
inline constexpr int kLogoHeight = 200;
inline constexpr int kTimeBarWidth = 50;
inline constexpr QSize kMinimumWindowSize{640, 480};

// The map sizes for recording movies, in the order the size panel offers them.
enum class SmallScreen { Off, S800x600, S800x480, S640x480, S480x320, Preference };
QSize smallScreenSize(SmallScreen mode, QSize preference);
// The size typed into the two "Preferance" lists; nothing when either text is
// not a whole number of pixels a map bitmap can have.
std::optional<QSize> preferenceSize(const QString& widthText, const QString& heightText);

struct LayoutInput {
    QSize client;
    int controlPanelHeight = 368;
    int boatListHeight = 0;  // what the boat list needs for its rows
    SmallScreen smallScreen = SmallScreen::Off;
    QSize smallScreenMapSize;  // the chosen size when smallScreen is not Off
    QSize sizePanel;           // the small-screen size choice
    QSize flagPanel;
    QSize rankingPanel;
    QSize ctModePanel;
    QSize jumpPanel;
    QSize pictureSettings;
    bool pictureSettingsShown = false;  // the race's pictures are on offer
    QSize diagnostics;
    int captionWidth = 0;  // of the race caption shown over a small map
};

struct WindowLayout {
    QRect map;
    QRect timeBar;
    QRect logo;
    QRect boatList;
    QRect controls;
    QRect splash;
    QRect sizePanel;  // empty unless a small screen is chosen
    QRect caption;    // the race caption over a small map; empty otherwise
    QRect ctCaption;  // "CT mode" beside it
    QRect flagPanel;
    QRect rankingPanel;
    QRect ctModePanel;
    QRect stopwatchButton;
    QRect stopwatchClock;
    QRect playSpeedNote;
    QRect jumpPanel;        // above the picture settings while they are shown
    QRect pictureSettings;  // the map's bottom left corner
    QRect diagnostics;
};

WindowLayout layoutWindow(const LayoutInput& in);

// The score panels over the map step aside when the pointer comes over them,
// so the boats beneath stay in sight. `map` is the map area's size.
enum class ScoreHover { Ranking, ClassRankingFrame, ClassRankingPicture };
struct ScorePlaces {
    QRect ranking;
    std::optional<QRect> classRanking;
};
ScorePlaces moveOutOfTheWay(ScoreHover hovered, ScorePlaces places, QSize map);

// Where a window frame of `frame` stands with its centre on the centre of
// `screen` (the screen's free area); a frame larger than the screen keeps
// its title bar on it.
QPoint centredTopLeft(const QRect& screen, QSize frame);

}  // namespace korvane

// The tip beside each control: its text in both languages, the box's size
// and where it stands, keyed by the control's objectName like the caption
// table. Placing a tip is plain arithmetic on rectangles, so it is worked
// out here, away from the widgets.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "ui_text/language.h"

namespace korvane {

enum class TipPlace {
    LeftWithGap,        // ends `offset` pixels left of the control, level with it
    LeftBy,             // starts `offset` pixels left of the control (or of its panel)
    LeftOfAnchor,       // ends at the anchor's left edge, level with the control
    RightAlignedAbove,  // right edges aligned, `offset` pixels above the anchor's top
    FromWindowRight,    // starts `offset` pixels in from the window's right edge
    LastPosition,       // wherever the previous tip stood
};

enum class TipShown {
    WhenTipsOn,    // only while the "Tips" box is checked
    Always,        // the help button explains itself even with tips off
    WhilePlaying,  // the wind graph's tip: only during the replay, tips or not
};

struct TipRow {
    const char* objectName;
    const char* english;
    int englishWidth;
    const char* japanese;
    int japaneseWidth;
    int englishHeight;
    int japaneseHeight;
    TipPlace place;
    int offset = 0;
    // The control whose edges the place refers to, when it is not the
    // control itself; "^" is the panel holding the control.
    const char* anchor = "";
    TipShown shown = TipShown::WhenTipsOn;
};

std::span<const TipRow> tipTable();
const TipRow* findTip(std::string_view objectName);

inline const char* tipText(const TipRow& row, Language language) {
    return pick(language, row.japanese, row.english);
}

struct TipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
};

struct TipBox {
    std::string text;  // lines separated by '\n'
    TipRect rect;      // in the window's coordinates
};

// The box of `row` for a control at `control` and its anchor (both in the
// window's coordinates), in a window `windowWidth` wide, the previous tip
// having stood at `last`. `textSize`, when larger than the row's size,
// is what the text needs in the window's font: the box grows to it.
TipBox placeTip(const TipRow& row, Language language, const TipRect& control, const TipRect& anchor,
                int windowWidth, const TipRect& last, const TipRect& textSize = {});

// Tips whose text and place depend on what is under the pointer rather
// than on one control: a boat or class box, a moment on the time bar, a
// spot on the map or the overview.
enum class PointerTip {
    BoatCheck,   // "%1": the boat's name
    ClassCheck,  // "%1": the class's name
    TimeBar,     // "%1": the hovered date and time
    MapZoom,     // the static map's clicks and the Shift measure
    MapZoomEditing,
    EditMark,  // what the next Shift-click of course editing places
    EditLineStart,
    EditLineEnd,
    EditCourse,
    Wake,       // the wake colours along the live map's bottom
    WindGraph,  // the wind graph under the compass, while the replay plays
    Overview,
    OverviewEditingWindUp,
    OverviewSmallScreen,
    Passing,  // "%1": a mark passing's or candidate's facts on the time bar
};

// The text of `tip` in `language` with `fill` in place of "%1", and its
// size; the box stands at (0, 0) for the caller to place.
TipBox pointerTip(PointerTip tip, Language language, std::string_view fill = {});

// A tip over the map: centred on the pointer with its bottom 100 pixels
// above it, never left of 0, and 100 pixels below the pointer when above
// would leave the top.
TipRect placeOverPointer(TipRect box, int pointerX, int pointerY);

}  // namespace korvane

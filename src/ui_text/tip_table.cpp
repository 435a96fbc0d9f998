#include "ui_text/tip_table.h"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

using enum TipPlace;

// The logo's tip: the product, what it is, its maker, and where a click on
// the logo leads (the caption table's web site address).
constexpr const char* kAboutEnglish =
    "<korvane>\nyacht racing browser\n(c) the korvane developers\n"
    "<link to https://korvane.example.org/>";
constexpr const char* kAboutJapanese =
    "<korvane>\nyacht racing browser\n(c) the korvane developers\n"
    "<ｸﾘｯｸ=>https://korvane.example.org/にﾘﾝｸ>";

constexpr std::array kTips{
    TipRow{"boatListHeader", "Left Button => Focus All Boats.", 220, "左ｸﾘｯｸで全艇にﾁｪｯｸが入ります",
           220, 20, 20, LeftBy, 225, "^"},
    TipRow{"showNameBox", "Show Boat Name", 220, "艇名を表示します", 120, 20, 20, LeftWithGap, 5},
    TipRow{"showButton", "Choose race file at left box\nthen click here to show it.", 180,
           "左のボックスでレースを選び\nこのボタンでそれを表示します", 180, 32, 32,
           RightAlignedAbove, 37},
    TipRow{"bigBoatBox", "Enlarge Disp Boat Size", 220, "艇の表示サイズを拡大/縮小します", 220, 20,
           20, LeftBy, 225},
    TipRow{"trackPageButton", "Show Boat Tracks", 150, "ボートの航跡を表示します", 150, 18, 18,
           FromWindowRight, 155},
    TipRow{"graphPageButton", "Show BSP/BCO graph", 150, "艇速/針路のグラフを表示", 150, 18, 18,
           FromWindowRight, 155},
    TipRow{"analysisPageButton", "Sailing Data Analisys", 200, "帆走データを解析します", 200, 18,
           18, FromWindowRight, 205},
    TipRow{"compLineBox", "Indicate Boat Height", 220, "艇の高さの比較線を表示します", 200, 20, 20,
           LeftWithGap, 5},
    TipRow{"layLineBox", "Indicate Lay Line/Course", 220, "レイライン/コースを表示します", 200, 20,
           20, LeftWithGap, 5},
    TipRow{"chartBox", "Map tiles under the map (OpenStreetMap)", 260,
           "地図タイルを背景に表示します (OpenStreetMap)", 260, 20, 20, LeftWithGap, 5},
    TipRow{"autoNextBox", "Auto changer on/off", 180, "ファイルを順次自動切換えします", 220, 16, 16,
           RightAlignedAbove, 21},
    TipRow{"smallScreenBox", "Show Small Map to Make Movie", 200, "動画作成用に小サイズ画面表示",
           190, 20, 20, LeftOfAnchor, 0, "bigBoatBox"},
    TipRow{"googleEarthButton",
           "    Show Google Earth\nLeft Button => All Race\nRight Button => Present Scene\n"
           "(△Button to Restart)",
           190,
           "  Google Earthを表示します\n左ｸﾘｯｸ → 全レース\n右ｸﾘｯｸ → 現在表示中のシーン\n"
           "(再開するには△ボタンを押してください)",
           250, 60, 60, LeftWithGap, 5},
    TipRow{"helpLabel", "SHOW HELP", 80, "SHOW HELP", 80, 18, 18, RightAlignedAbove, 23},
    TipRow{"screenShotLabel", "<s> to show ScreenShot", 155, "<s> to show ScreenShot", 155, 18, 18,
           RightAlignedAbove, 23, "helpLabel"},
    TipRow{"helpButton", "    Show Help", 150, "  HELPを表示します", 150, 20, 20, LastPosition, 0,
           "", TipShown::Always},
    TipRow{"videoButton", "Make a Video of the Race", 190, "レースの動画を作成します", 190, 18, 18,
           LeftWithGap, 5},
    // 170 pixels left of the logo: its width and a gap of 10.
    TipRow{"logo", kAboutEnglish, 160, kAboutJapanese, 160, 100, 100, LeftWithGap, 10},
    TipRow{"standingsButton", "Standings at the replay time;\nresults after the last finish", 200,
           "再生時刻の順位と差\n最終フィニッシュ後は成績", 200, 32, 32, LeftWithGap, 5},
    TipRow{"compareButton", "Two boats side by side,\nand where the time went", 200,
           "2艇を並べて比較し\nレグ毎の時間差の内訳を表示", 200, 32, 32, LeftWithGap, 5},
};

struct PointerTipRow {
    PointerTip tip;
    const char* english;
    int englishWidth;
    int englishHeight;
    const char* japanese;
    int japaneseWidth;
    int japaneseHeight;
};

constexpr const char* kZoomEnglish =
    "Left Button => Enlarge Map.\nRight Button => Shrink Map\n(Click point is a center of "
    "map)\n";
constexpr const char* kZoomJapanese = "左ｸﾘｯｸでｸﾘｯｸした点を中心に地図が拡大\n右ｸﾘｯｸで縮小します\n";

constexpr std::array kPointerTips{
    PointerTipRow{
        PointerTip::BoatCheck, "Checked boats are visible.", 180, 20,
        "ﾁｪｯｸの入った艇がﾌｫｰｶｽされます。\n右ｸﾘｯｸで%1\nのみ残して他全艇のﾌｫｰｶｽを外します。\n\n"
        "SHIFT+左ｸﾘｯｸで１艇のみ常時強調表示します\n(再度SHIFT+左ｸﾘｯｸで強調表示を解除)",
        250, 80},
    PointerTipRow{PointerTip::ClassCheck,
                  "Checked Class are focused.\nUnchecked Class are out of focus.\n\nR-Click to "
                  "focus only %1 Class",
                  280, 56,
                  "ﾁｪｯｸの入ったｸﾗｽがﾌｫｰｶｽされます。\nﾁｪｯｸを外すとﾌｫｰｶｽが外れます\n\n右ｸﾘｯｸで%1 "
                  "ｸﾗｽ\nのみ残して他全ｸﾗｽのﾌｫｰｶｽを外します。",
                  250, 68},
    PointerTipRow{PointerTip::TimeBar,
                  "Left click to change the time.\n(%1)\n(White zone = UpWind   )\n(Gray zone   = "
                  "DownWind )\n\nRight drag to repeat selected\ntime span",
                  200, 93,
                  "左クリックで時間を瞬時に変更します\n(白はUpWind、灰色はDownWind )\n(%1)\n\n"
                  "右ドラッグすると選択した範囲の時間帯\nを繰り返し表示します。\n"
                  "（右ｸﾘｯｸで範囲指定か解除します）",
                  220, 90},
    PointerTipRow{
        PointerTip::MapZoom,
        "Left Button => Enlarge Map.\nRight Button => Shrink Map\n(Click point is a "
        "center of map)\n\nShift Key to be Range & Bearing Measuring Mode\nMouseDown to "
        "Set Base Point and Move to\nIndicate Range and Bearing to New Point",
        290, 100,
        "左ｸﾘｯｸでｸﾘｯｸした点を中心に地図が拡大\n右ｸﾘｯｸで縮小します\n\nShiftを押している間は"
        "距離方位計測ﾓｰﾄﾞになります\nｸﾘｯｸすると基点が設定され､マウスを移動すると\n"
        "移動した地点までの距離、方位を表示します",
        270, 85},
    PointerTipRow{PointerTip::MapZoomEditing, kZoomEnglish, 290, 50, kZoomJapanese, 270, 35},
    PointerTipRow{PointerTip::EditMark, "Shifr + Click(L) at Mark Point", 170, 17,
                  "Shifr + Click(L) at Mark Point", 170, 17},
    PointerTipRow{PointerTip::EditLineStart, "Shift + Click(L) at Line Starting Point", 210, 17,
                  "Shift + Click(L) at Line Starting Point", 210, 17},
    PointerTipRow{PointerTip::EditLineEnd, "Shift + Click(L) at Line End Point", 210, 17,
                  "Shift + Click(L) at Line End Point", 210, 17},
    PointerTipRow{PointerTip::EditCourse, "Shift + Click(L) at the Mark or Line", 210, 17,
                  "Shift + Click(L) at the Mark or Line", 210, 17},
    PointerTipRow{PointerTip::Wake, "Red wake boats are faster than avg boats", 270, 20,
                  "平均速度より速い艇の航跡が赤字で表示されます", 270, 20},
    PointerTipRow{PointerTip::WindGraph, "TWD graph can be ON/OFF when click map.", 300, 20,
                  "地図画面をクリックすると風向グラフ表示をON/OFFできます", 350, 20},
    PointerTipRow{PointerTip::Overview, "Click to move center of map", 250, 20,
                  "地図の中心をクリック地点に移動", 220, 20},
    PointerTipRow{
        PointerTip::OverviewEditingWindUp,
        "Click to move center of map\n\n右クリックでその点が上になるよう表示方位変更", 260, 45,
        "地図の中心をクリック地点に移動\n\n右クリックでその点が上になるよう表示方位変更", 260, 45},
    PointerTipRow{PointerTip::OverviewSmallScreen, "Click to ON/OFF small map on main map", 250, 20,
                  "クリックで小地図をON/OFF", 220, 20},
    PointerTipRow{PointerTip::Passing,
                  "%1\n\nClick: go there and show it in the passing panel\nDrag the passing: pin "
                  "it to another moment\n(drop it on a candidate to take that one)",
                  300, 80,
                  "%1\n\nｸﾘｯｸでその時刻へ移り、通過パネルに表示\n通過をドラッグすると別の時刻に固定"
                  "\n（候補の上で離すとその候補を採用）",
                  300, 80},
};

constexpr int kAbovePointer = 100;

}  // namespace

std::span<const TipRow> tipTable() {
    return kTips;
}

const TipRow* findTip(std::string_view objectName) {
    for (const TipRow& row : kTips)
        if (objectName == row.objectName) return &row;
    return nullptr;
}

TipBox placeTip(const TipRow& row, Language language, const TipRect& control, const TipRect& anchor,
                int windowWidth, const TipRect& last, const TipRect& textSize) {
    const bool japanese = language == Language::Japanese;
    TipBox box;
    box.text = japanese ? row.japanese : row.english;
    const int w = std::max(japanese ? row.japaneseWidth : row.englishWidth, textSize.width);
    const int h = std::max(japanese ? row.japaneseHeight : row.englishHeight, textSize.height);
    TipRect& r = box.rect;
    r.width = w;
    r.height = h;
    r.top = control.top;
    switch (row.place) {
        case LeftWithGap:
            r.left = anchor.left - w - row.offset;
            break;
        case LeftBy:
            r.left = anchor.left - row.offset;
            break;
        case LeftOfAnchor:
            r.left = anchor.left - w;
            break;
        case RightAlignedAbove:
            r.left = anchor.right() - w;
            r.top = anchor.top - row.offset;
            break;
        case FromWindowRight:
            r.left = windowWidth - row.offset;
            break;
        case LastPosition:
            r.left = last.left;
            r.top = last.top;
            break;
    }
    return box;
}

TipBox pointerTip(PointerTip tip, Language language, std::string_view fill) {
    TipBox box;
    for (const PointerTipRow& row : kPointerTips) {
        if (row.tip != tip) continue;
        const bool japanese = language == Language::Japanese;
        box.text = japanese ? row.japanese : row.english;
        box.rect.width = japanese ? row.japaneseWidth : row.englishWidth;
        box.rect.height = japanese ? row.japaneseHeight : row.englishHeight;
        if (const auto at = box.text.find("%1"); at != std::string::npos)
            box.text.replace(at, 2, fill);
        break;
    }
    return box;
}

TipRect placeOverPointer(TipRect box, int pointerX, int pointerY) {
    box.left = std::max(0, pointerX - box.width / 2);
    box.top = pointerY - kAbovePointer - box.height;
    if (box.top < 0) box.top = pointerY + kAbovePointer;
    return box;
}

}  // namespace korvane

#include "ui_text/tip_table.h"

#include <array>

namespace korvane {

namespace {

using enum TipPlace;

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
    TipRow{"analysisPageButton", "Sailing Data Analysis", 200, "帆走データを解析します", 200, 18,
           18, FromWindowRight, 205},
    TipRow{"compLineBox", "Indicate Boat Height", 220, "艇の高さの比較線を表示します", 200, 20, 20,
           LeftWithGap, 5},
    TipRow{"layLineBox", "Indicate Lay Line/Course", 220, "レイライン/コースを表示します", 200, 20,
           20, LeftWithGap, 5},
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
    TipRow{"windGraph", "TWD graph can be ON/OFF when click map.", 300,
           "地図画面をクリックすると風向グラフ表示をON/OFFできます", 350, 20, 20, LastPosition, 0,
           "", TipShown::WhilePlaying},
};

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
                int windowWidth, const TipRect& last) {
    const bool japanese = language == Language::Japanese;
    TipBox box;
    box.text = japanese ? row.japanese : row.english;
    const int w = japanese ? row.japaneseWidth : row.englishWidth;
    const int h = japanese ? row.japaneseHeight : row.englishHeight;
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

TipBox boatCheckTip(Language language, std::string_view boatName) {
    TipBox box;
    if (language == Language::English) {
        box.text = "Checked boats are visible.";
        box.rect = {0, 0, 180, 20};
    } else {
        box.text =
            "ﾁｪｯｸの入った艇がﾌｫｰｶｽされます。\n右ｸﾘｯｸで" + std::string(boatName) +
            "\nのみ残して他全艇のﾌｫｰｶｽを外します。\n\nSHIFT+左ｸﾘｯｸで１艇のみ常時強調表示します\n"
            "(再度SHIFT+左ｸﾘｯｸで強調表示を解除)";
        box.rect = {0, 0, 250, 80};
    }
    return box;
}

TipBox classCheckTip(Language language, std::string_view className) {
    TipBox box;
    if (language == Language::English) {
        box.text =
            "Checked Class are focused.\nUnchecked Class are out of focus.\n\nR-Click to focus "
            "only " +
            std::string(className) + " Class";
        box.rect = {0, 0, 280, 56};
    } else {
        box.text = "ﾁｪｯｸの入ったｸﾗｽがﾌｫｰｶｽされます。\nﾁｪｯｸを外すとﾌｫｰｶｽが外れます\n\n右ｸﾘｯｸで" +
                   std::string(className) + " ｸﾗｽ\nのみ残して他全ｸﾗｽのﾌｫｰｶｽを外します。";
        box.rect = {0, 0, 250, 68};
    }
    return box;
}

}  // namespace korvane

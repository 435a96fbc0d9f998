#include "ui_text/caption_table.h"

#include <array>
#include <string_view>

namespace korvane {

namespace {

using enum CaptionTarget;

// Widgets that do not exist yet in a build (the picture panel's, the
// retouch button) are simply not found when the table is applied.
constexpr std::array kCaptions{
    CaptionRow{"raceFileLabel", " レースファイル名", "Race File Name"},
    CaptionRow{"orientationGroup", "表示方位", "Orientation"},
    CaptionRow{"northUpButton", "北が上", "NorthWd"},
    CaptionRow{"windUpButton", "風向", "WindWd"},
    CaptionRow{"autoNextBox", "自動切換", "AutoNext"},
    CaptionRow{"showButton", "表示", "SHOW"},
    CaptionRow{"trackPageButton", "軌跡", "Track"},
    CaptionRow{"graphPageButton", "ｸﾞﾗﾌ", "Graph"},
    CaptionRow{"analysisPageButton", "解析", "DATA"},
    CaptionRow{"autoTraceBox", "軌跡追尾", "Auto Trace"},
    CaptionRow{"layLineBox", "レイライン", "Layline"},
    CaptionRow{"compLineBox", "比較線", "Comp Ht"},
    CaptionRow{"showNameBox", "艇名表示", "Boat Name"},
    CaptionRow{"bigBoatBox", "艇拡大", "Boat Size"},
    CaptionRow{"tipsBox", "Tips", "Tips"},
    CaptionRow{"attachmentsButton", "添付資料表示", "Attachment"},
    CaptionRow{"retouchButton", "画像処理", "Retouch"},
    CaptionRow{"smallScreenBox", "小画面", "Small Scr"},
    CaptionRow{"weatherButton", "天気図", "Weather Cht"},
    CaptionRow{"cameraCorrectionLabel", "カメラの時刻補正", "Camera Time Corr"},
    CaptionRow{"cameraCorrectionUnit", "秒", "sec"},
    CaptionRow{"picturePanel", "ドラッグで位置を移動/右クリックでStop_Restart",
               "L Button to Drag / R Button to Stop and Restart", ToolTip},
    CaptionRow{"boatListHeader",
               "艇　名                                艇　名                                ",
               "Boat Name                               Boat Name                            "},
    CaptionRow{"japaneseFlag", "Japanese", "Japanese", ToolTip},
    CaptionRow{"englishFlag", "English", "English", ToolTip},
    CaptionRow{"helpButton", "HELP", "HELP", ToolTip},
};

}  // namespace

std::span<const CaptionRow> captionTable() {
    return kCaptions;
}

const char* boatListHeader(Language language) {
    for (const CaptionRow& row : kCaptions)
        if (std::string_view(row.objectName) == "boatListHeader") return captionText(row, language);
    return "";
}

std::string aboutText(Language language) {
    const std::string lines = "<korvane>\nyacht racing browser\n(c) the korvane developers\n";
    const std::string site = kWebSiteAddress;
    return language == Language::Japanese ? lines + "<ｸﾘｯｸ=>" + site + "にﾘﾝｸ>"
                                          : lines + "<link to " + site + ">";
}

}  // namespace korvane

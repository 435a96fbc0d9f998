#include "ui_text/caption_table.h"

#include <array>
#include <string_view>

#include "ui_text/tip_table.h"

namespace korvane {

namespace {

using enum CaptionTarget;

// Every row names a widget the window builds; the window's language test
// fails on a row that finds none.
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
    CaptionRow{"chartBox", "海図", "Chart"},
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
    CaptionRow{"pictureImage", "ドラッグで位置を移動/右クリックでStop_Restart",
               "L Button to Drag / R Button to Stop and Restart", ToolTip},
    CaptionRow{"boatListHeader",
               "艇　名                                艇　名                                ",
               "Boat Name                               Boat Name                            "},
    CaptionRow{"japaneseFlag", "Jamanese", "Jamanese", ToolTip},
    CaptionRow{"englishFlag", "English", "English", ToolTip},
    CaptionRow{"helpButton", "HELP", "HELP", ToolTip},
    CaptionRow{"ctBanner", "CT(Corrected Time) Mode", "CT(Corrected Time) Mode"},
    // The transport buttons draw symbols; their hints say what they do.
    CaptionRow{"playForwardButton", "順方向に再生", "Play forward", ToolTip},
    CaptionRow{"stopButton", "停止", "Stop", ToolTip},
    CaptionRow{"playBackwardButton", "逆方向に再生", "Play backward", ToolTip},
    CaptionRow{"stepForwardButton", "1秒進む", "One second forward", ToolTip},
    CaptionRow{"stepBackwardButton", "1秒戻る", "One second back", ToolTip},
    // The course-editing panel.
    CaptionRow{"markPosButton", "マーク位置設定", "Mark Pos Setting"},
    CaptionRow{"linePosButton", "ライン位置設定", "Line Pos Setting"},
    CaptionRow{"courseSetButton", "コース設定", "Course Setting"},
    CaptionRow{"resetCourseButton", "コースをリセット", "Reset Course"},
    CaptionRow{"undoEditButton", "元に戻す", "Undo"},
    CaptionRow{"meanWindLabel", " 平均風向(磁方位)", " Mean Wind Direction (Mag)"},
    CaptionRow{"windOkButton", "風向決定", "Wind Direction OK"},
    CaptionRow{"makeWindBox", "風向データ作成", "Make Wind Data"},
    CaptionRow{"saveWindButton", "風向データ保存", "Save Wind Data"},
    // The film of the race: its button, its question and its progress.
    CaptionRow{"videoButton", "動画", "Video"},
    CaptionRow{"videoFromLabel", "開始 (レース秒)", "From (race s)"},
    CaptionRow{"videoToLabel", "終了 (レース秒)", "To (race s)"},
    CaptionRow{"videoSpeedLabel", "再生速度", "Speed"},
    CaptionRow{"videoSizeLabel", "画面サイズ", "Size"},
    CaptionRow{"videoFpsLabel", "コマ/秒", "Frames/s"},
    CaptionRow{"videoCodecLabel", "圧縮形式", "Codec"},
    CaptionRow{"videoStandingsBox", "順位表を入れる", "Show the standings"},
    CaptionRow{"videoFileLabel", "ファイル", "File"},
    CaptionRow{"videoBrowseButton", "参照...", "Browse..."},
    CaptionRow{"videoMakeButton", "作成", "Make"},
    CaptionRow{"videoCancelButton", "キャンセル", "Cancel"},
    CaptionRow{"videoProgressLabel", "動画を作成中", "Making the video"},
    CaptionRow{"videoStopButton", "中止", "Stop"},
    // The standings panel and its switch.
    CaptionRow{"standingsButton", "順位", "Rank"},
    CaptionRow{"standingsCsvButton", "CSV保存", "CSV"},
    CaptionRow{"standingsHtmlButton", "HTML保存", "HTML"},
    // The Compare page and its switch.
    CaptionRow{"compareButton", "2艇比較", "Compare"},
    CaptionRow{"maneuversButton", "マニューバ", "Maneuvers"},
    CaptionRow{"compareALabel", "A", "A"},
    CaptionRow{"compareBLabel", "B", "B"},
    // The mark passing panel.
    CaptionRow{"passingTitle", "マーク通過の修正", "Mark passing"},
    CaptionRow{"passingPinHereButton", "この時刻に固定", "Pin here"},
    CaptionRow{"passingNotPassedButton", "未通過にする", "Not passed"},
    CaptionRow{"passingClearButton", "検出に戻す", "Restore"},
    CaptionRow{"passingUndoButton", "元に戻す", "Undo"},
    CaptionRow{"passingRedoButton", "やり直し", "Redo"},
    CaptionRow{"passingCloseButton", "閉じる", "Close"},
};

}  // namespace

std::span<const CaptionRow> captionTable() {
    return kCaptions;
}

const char* captionOf(std::string_view objectName, Language language) {
    for (const CaptionRow& row : kCaptions)
        if (objectName == row.objectName) return captionText(row, language);
    return "";
}

const char* boatListHeader(Language language) {
    return captionOf("boatListHeader", language);
}

std::string aboutText(Language language) {
    // The logo's tip is where the text lives; this is the same text.
    const TipRow* row = findTip("logo");
    if (!row) return {};
    return tipText(*row, language);
}

}  // namespace korvane

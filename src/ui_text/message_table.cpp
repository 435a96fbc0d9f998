#include "ui_text/message_table.h"

#include <array>

namespace korvane {

namespace {

struct MessageRow {
    Message message;
    const char* japanese;
    const char* english;
};

// In the order of the enum, which messageText relies on.
constexpr std::array kMessages{
    MessageRow{Message::HideUnfocusedBoats,
               "フォーカスの外れた艇を隠しますか？\r\n"
               "（いいえの場合はフォーカスの外れた艇を細線で表示します）",
               "Hide Unfocused Boat ?"},
    MessageRow{Message::RewriteRaceFile, "Rewrite File? (instead of old data)",
               "Rewrite File? (instead of old data)"},
    MessageRow{Message::RaceAdminData, "Race Admin Data", "Race Admin Data"},
    MessageRow{Message::NotAnInteger, "'%1' は整数ではありません", "'%1' is not an integer"},
    MessageRow{Message::NoWindData, "No Wind Data", "No Wind Data"},
    MessageRow{Message::VideoLength, "動画の長さ %1", "Film length %1"},
    MessageRow{Message::VideoSpanEmpty, "終了は開始より後にしてください",
               "The end must come after the start"},
    MessageRow{Message::VideoTimeLeft, "残り %1", "%1 left"},
    MessageRow{Message::VideoFailed, "動画を作成できませんでした: %1\n%2",
               "The video could not be made: %1\n%2"},
    MessageRow{Message::ExportSaved, "%1 に保存しました", "Saved to %1"},
    MessageRow{Message::ExportNoViewer,
               "%1 に保存しました（.%2 ファイルを開くプログラムが設定されていません）",
               "Saved to %1 (no program is set to open .%2 files)"},
    MessageRow{Message::OpeningWarned, "読み込みの注意 %1 件: %2",
               "Warnings while opening (%1): %2"},
    MessageRow{Message::PassingChosen, "通過", "passing"},
    MessageRow{Message::PassingCandidate, "候補", "candidate"},
    MessageRow{Message::PassingCrossing, "横切り", "crossing"},
    MessageRow{Message::PassingClosest, "最接近", "closest"},
    MessageRow{Message::PassingPinned, "固定", "pinned"},
    MessageRow{Message::PassingNotPassed, "未通過", "not passed"},
    MessageRow{Message::PassingCorrected, "修正済み", "corrected"},
    MessageRow{Message::PassingsNotSaved, "%1 に通過の修正を書き込めません",
               "The passing corrections could not be written to %1"},
};

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kMessages.size(); ++i)
        if (static_cast<std::size_t>(kMessages[i].message) != i) return false;
    return true;
}
static_assert(inEnumOrder());
static_assert(kMessages.size() == static_cast<std::size_t>(Message::PassingsNotSaved) + 1);

struct FactRow {
    BoatFact fact;
    FactLabel japanese;
    FactLabel english;
};

// In the order of the enum, like the messages.
constexpr std::array kFacts{
    FactRow{BoatFact::DateTime, {"日時：", ""}, {"Date Time：", ""}},
    FactRow{BoatFact::Latitude, {"緯度： ", "度"}, {"LAT： ", " DEG"}},
    FactRow{BoatFact::Longitude, {"経度： ", "度"}, {"LON： ", " DEG"}},
    FactRow{BoatFact::Speed, {"速度： ", "ノット"}, {"BSP： ", " KTS"}},
    FactRow{BoatFact::Heading, {"針路： ", "度(T)"}, {"HDG： ", " DEG(T)"}},
};

constexpr bool factsInEnumOrder() {
    for (std::size_t i = 0; i < kFacts.size(); ++i)
        if (static_cast<std::size_t>(kFacts[i].fact) != i) return false;
    return true;
}
static_assert(factsInEnumOrder());
static_assert(kFacts.size() == static_cast<std::size_t>(BoatFact::Heading) + 1);

}  // namespace

const char* messageText(Message message, Language language) {
    const MessageRow& row = kMessages[static_cast<std::size_t>(message)];
    return pick(language, row.japanese, row.english);
}

FactLabel factLabel(BoatFact fact, Language language) {
    const FactRow& row = kFacts[static_cast<std::size_t>(fact)];
    return language == Language::Japanese ? row.japanese : row.english;
}

}  // namespace korvane

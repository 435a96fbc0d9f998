// The language chosen at start, the caption table's shape and where each
// kind of tip stands.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui_text/caption_table.h"
#include "ui_text/tip_table.h"

namespace korvane {
namespace {

TEST(StartLanguage, JapaneseNeedsBothTheLocaleAndAFont) {
    struct Case {
        bool locale, font;
        Language expected;
    };
    for (const Case c :
         {Case{true, true, Language::Japanese}, Case{true, false, Language::English},
          Case{false, true, Language::English}, Case{false, false, Language::English}})
        EXPECT_EQ(startLanguage(c.locale, c.font), c.expected) << c.locale << c.font;
}

TEST(CaptionTable, OneRowPerWidgetWithBothTexts) {
    std::set<std::string> names;
    for (const CaptionRow& row : captionTable()) {
        EXPECT_TRUE(names.insert(row.objectName).second) << "twice: " << row.objectName;
        EXPECT_FALSE(std::string(row.japanese).empty()) << row.objectName;
        EXPECT_FALSE(std::string(row.english).empty()) << row.objectName;
    }
    for (const TipRow& row : tipTable())
        EXPECT_EQ(findTip(row.objectName), &row) << "tip twice: " << row.objectName;
}

TEST(CaptionTable, BoatListHeaderNamesBothColumns) {
    const std::string en = boatListHeader(Language::English);
    EXPECT_EQ(en.size(), 77u);
    EXPECT_EQ(en.find("Boat Name"), 0u);
    EXPECT_NE(en.find("Boat Name", 9), std::string::npos);
    const std::string ja = boatListHeader(Language::Japanese);
    EXPECT_NE(ja.find("艇　名", ja.find("艇　名") + 1), std::string::npos);
}

struct PlaceCase {
    const char* name;
    Language language;
    TipRect control;
    TipRect anchor;
    TipRect expected;
};

class TipPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(TipPlacement, StandsWhereTheRowSays) {
    const PlaceCase& c = GetParam();
    const TipRow* row = findTip(c.name);
    ASSERT_NE(row, nullptr) << c.name;
    const TipRect last{11, 22, 0, 0};
    const TipBox box = placeTip(*row, c.language, c.control, c.anchor, 1280, last);
    EXPECT_EQ(box.rect.left, c.expected.left) << c.name;
    EXPECT_EQ(box.rect.top, c.expected.top) << c.name;
    EXPECT_EQ(box.rect.width, c.expected.width) << c.name;
    EXPECT_EQ(box.rect.height, c.expected.height) << c.name;
}

constexpr TipRect kControl{1000, 300, 80, 17};
constexpr TipRect kOther{900, 250, 70, 17};
INSTANTIATE_TEST_SUITE_P(
    Rows, TipPlacement,
    ::testing::Values(
        // Five pixels left of the control, each language with its own width.
        PlaceCase{"showNameBox", Language::English, kControl, kControl, {775, 300, 220, 20}},
        PlaceCase{"showNameBox", Language::Japanese, kControl, kControl, {875, 300, 120, 20}},
        // Right edges aligned, above the control.
        PlaceCase{"showButton", Language::English, kControl, kControl, {900, 263, 180, 32}},
        PlaceCase{"autoNextBox", Language::Japanese, kControl, kControl, {860, 279, 220, 16}},
        // Above another label, level with nothing of its own.
        PlaceCase{"screenShotLabel", Language::English, kControl, kOther, {815, 227, 155, 18}},
        PlaceCase{"bigBoatBox", Language::English, kControl, kControl, {775, 300, 220, 20}},
        PlaceCase{"boatListHeader", Language::English, kControl, kOther, {675, 300, 220, 20}},
        PlaceCase{"smallScreenBox", Language::English, kControl, kOther, {700, 300, 200, 20}},
        PlaceCase{
            "analysisPageButton", Language::English, kControl, kControl, {1075, 300, 200, 18}},
        PlaceCase{"trackPageButton", Language::Japanese, kControl, kControl, {1125, 300, 150, 18}},
        PlaceCase{"helpButton", Language::Japanese, kControl, kControl, {11, 22, 150, 20}},
        // The about text, 170 pixels left of the logo.
        PlaceCase{"logo", Language::Japanese, kControl, kControl, {830, 300, 160, 100}}));

TEST(PointerTips, FillTheNameOrMomentUnderThePointer) {
    struct Case {
        PointerTip tip;
        Language language;
        const char* fill;
        const char* expectedPiece;
        int width, height;
    };
    for (const Case c : {
             Case{PointerTip::BoatCheck, Language::English, "Kaze", "Checked boats are visible.",
                  180, 20},
             Case{PointerTip::BoatCheck, Language::Japanese, "Kaze", "右ｸﾘｯｸでKaze\n", 250, 80},
             Case{PointerTip::ClassCheck, Language::English, "J/24", "only J/24 Class", 280, 56},
             Case{PointerTip::ClassCheck, Language::Japanese, "J/24", "J/24 ｸﾗｽ\n", 250, 68},
             Case{PointerTip::TimeBar, Language::English, "2024/05/12 10:00:00",
                  "\n(2024/05/12 10:00:00)\n(White", 200, 93},
             Case{PointerTip::TimeBar, Language::Japanese, "2024/05/12 10:00:00",
                  "DownWind )\n(2024/05/12 10:00:00)\n", 220, 90},
             Case{PointerTip::MapZoomEditing, Language::Japanese, "", "右ｸﾘｯｸで縮小します\n", 270,
                  35},
             Case{PointerTip::EditMark, Language::Japanese, "", "Shifr + Click(L) at Mark Point",
                  170, 17},
         }) {
        const TipBox box = pointerTip(c.tip, c.language, c.fill);
        EXPECT_NE(box.text.find(c.expectedPiece), std::string::npos) << box.text;
        EXPECT_EQ(box.text.find("%1"), std::string::npos) << box.text;
        EXPECT_EQ(box.rect.width, c.width) << box.text;
        EXPECT_EQ(box.rect.height, c.height) << box.text;
    }
    // Outside course editing the map's tip also explains the Shift measure.
    EXPECT_NE(pointerTip(PointerTip::MapZoom, Language::English).text.find("Shift Key"),
              std::string::npos);
    EXPECT_EQ(pointerTip(PointerTip::MapZoomEditing, Language::English).text.find("Shift Key"),
              std::string::npos);
}

TEST(PointerTips, OverTheMapAboveThePointerUnlessThatLeavesTheTop) {
    struct Case {
        int x, y;
        TipRect expected;
    };
    const TipRect box{0, 0, 290, 100};
    for (const Case c : {Case{400, 300, {255, 100, 290, 100}},  // centred, bottom 100 above
                         Case{100, 300, {0, 100, 290, 100}},    // never left of 0
                         Case{400, 199, {255, 299, 290, 100}},  // below when above leaves the top
                         Case{400, 200, {255, 0, 290, 100}}}) {
        const TipRect r = placeOverPointer(box, c.x, c.y);
        EXPECT_EQ(r.left, c.expected.left) << c.x << "," << c.y;
        EXPECT_EQ(r.top, c.expected.top) << c.x << "," << c.y;
        EXPECT_EQ(r.width, c.expected.width);
    }
}

TEST(AboutText, IsTheLogosTipAndLeadsToTheWebSite) {
    const TipRow* logo = findTip("logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(aboutText(Language::English), logo->english);
    EXPECT_EQ(aboutText(Language::Japanese), logo->japanese);
    const std::string site = kWebSiteAddress;
    EXPECT_TRUE(aboutText(Language::English).starts_with("<korvane>\n"));
    EXPECT_TRUE(aboutText(Language::English).ends_with("\n<link to " + site + ">"));
    EXPECT_TRUE(aboutText(Language::Japanese).ends_with("\n<ｸﾘｯｸ=>" + site + "にﾘﾝｸ>"));
}

}  // namespace
}  // namespace korvane

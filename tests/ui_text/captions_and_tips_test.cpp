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
    EXPECT_NE(aboutText(Language::English).find(kWebSiteAddress), std::string::npos);
    EXPECT_NE(aboutText(Language::Japanese).find(kWebSiteAddress), std::string::npos);
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
        PlaceCase{"helpButton", Language::Japanese, kControl, kControl, {11, 22, 150, 20}}));

TEST(PointerTips, NameTheBoatOrClassUnderThePointer) {
    EXPECT_EQ(boatCheckTip(Language::English, "Kaze").text, "Checked boats are visible.");
    EXPECT_NE(boatCheckTip(Language::Japanese, "Kaze")
                  .text.find("右ｸﾘｯｸで"
                             "Kaze\n"),
              std::string::npos);
    EXPECT_NE(classCheckTip(Language::English, "J/24").text.find("only J/24 Class"),
              std::string::npos);
    EXPECT_NE(classCheckTip(Language::Japanese, "J/24").text.find("J/24 ｸﾗｽ"), std::string::npos);
    EXPECT_EQ(boatCheckTip(Language::Japanese, "").rect.height, 80);
    EXPECT_EQ(classCheckTip(Language::English, "").rect.width, 280);
}

}  // namespace
}  // namespace korvane

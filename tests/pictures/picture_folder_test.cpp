// Which folder a race's pictures come from, and the size they are shown at.
#include "pictures/picture_folder.h"

#include <gtest/gtest.h>

#include "pictures/picture_box.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* name;
    std::vector<std::string> folders;  // made below the data root ("/" = an absolute one)
    std::string pictureFolder;         // the PIC name; "$ABS" stands for the absolute folder
    std::string expected;              // below the data root; "$ABS"; "" = none
    bool warns;
};

class PictureFolderChoiceTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(PictureFolderChoiceTest, PicksTheFirstFolderThatExists) {
    const FolderCase& c = GetParam();
    testing::TempTree data, elsewhere;
    for (const std::string& f : c.folders) fs::create_directories(data.root() / f);
    const fs::path absolute = elsewhere.root() / "My Photos";
    fs::create_directories(absolute);
    auto expand = [&](const std::string& s) { return s == "$ABS" ? absolute.string() : s; };
    const PictureFolderChoice choice =
        choosePictureFolder(data.root(), "race1.txt", expand(c.pictureFolder));
    if (c.expected.empty()) {
        EXPECT_FALSE(choice.folder) << choice.folder->string();
    } else {
        ASSERT_TRUE(choice.folder);
        const fs::path want = c.expected == "$ABS" ? absolute : data.root() / c.expected;
        EXPECT_TRUE(fs::equivalent(*choice.folder, want)) << choice.folder->string();
    }
    EXPECT_EQ(!choice.warning.empty(), c.warns) << choice.warning;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureFolderChoiceTest,
    ::testing::Values(
        FolderCase{"RaceFolderBeforeAbsolute", {"pic/race1"}, "$ABS", "pic/race1", false},
        FolderCase{"RaceFolderAnyCase", {"pic/RACE1"}, "", "pic/RACE1", false},
        FolderCase{"AbsoluteWhenNoRaceFolder", {"pic/other"}, "$ABS", "$ABS", false},
        FolderCase{"RelativeBelowPic", {"pic/day2/boats"}, "day2\\Boats", "pic/day2/boats", false},
        FolderCase{"DotDotStayingInside", {"pic/b"}, "a/../b", "pic/b", false},
        FolderCase{"DotDotLeavingPicRefused", {"secret"}, "../secret", "", true},
        FolderCase{"MissingFolder", {}, "nothing-here", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoxCase {
    int width, height, size;
    PictureBox expected;
};

TEST(PictureBox, LongerSideTakesTheSizeAndSquareCountsAsUpright) {
    const BoxCase cases[] = {
        {4000, 3000, 400, {400, 300, 410, 335}},
        {3000, 4000, 400, {300, 400, 310, 435}},
        {1000, 1000, 400, {400, 400, 410, 435}},
        {6000, 4000, 900, {900, 600, 910, 635}},
        {4000, 3001, 200, {200, 150, 210, 185}},  // truncated, not rounded
        {0, 3000, 400, {}},
    };
    for (const BoxCase& c : cases) {
        const PictureBox b = pictureBoxFor(c.width, c.height, c.size);
        EXPECT_EQ(b.width, c.expected.width) << c.width << "x" << c.height;
        EXPECT_EQ(b.height, c.expected.height) << c.width << "x" << c.height;
        EXPECT_EQ(b.panelWidth, c.expected.panelWidth) << c.width << "x" << c.height;
        EXPECT_EQ(b.panelHeight, c.expected.panelHeight) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace korvane

#include <gtest/gtest.h>

#include "race/edit_file.h"
#include "race/race_list.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

using testing::TempTree;

TEST(RaceList, OrderFileFirstThenTheRestOfTheFolder) {
    TempTree tree;
    for (const char* n : {"a.txt", "b.txt", "c.txt", "D.TXT", "notes.doc"})
        tree.write(std::string("raceadmin/") + n, "");
    tree.write("raceadmin/racefile.st", "b.txt\r\na.txt\r\nmissing.txt\r\n");
    const auto list = buildRaceList(tree.root());
    EXPECT_EQ(list.names, (std::vector<std::string>{"b.txt", "a.txt", "c.txt", "D.TXT"}));
}

TEST(RaceList, ExistenceIgnoresCaseDuplicatesDoNot) {
    TempTree tree;
    tree.write("raceadmin/a.txt", "");
    tree.write("raceadmin/racefile.st", "A.TXT\na.txt\na.txt\n");
    const auto list = buildRaceList(tree.root());
    EXPECT_EQ(list.names, (std::vector<std::string>{"A.TXT", "a.txt", "a.txt"}));
}

TEST(RaceList, EmptyOrMissingFolderAndTheCapacity) {
    TempTree tree;
    EXPECT_TRUE(buildRaceList(tree.root()).names.empty());
    for (int i = 0; i < 205; ++i) tree.write("raceadmin/r" + std::to_string(1000 + i) + ".txt", "");
    const auto list = buildRaceList(tree.root());
    EXPECT_EQ(list.names.size(), 200u);
    EXPECT_EQ(list.names.front(), "r1000.txt");
    EXPECT_EQ(list.warnings.size(), 1u);
}

TEST(EditFile, LastLineDecidesRaceAndMode) {
    TempTree tree;
    EXPECT_FALSE(readEditFile(tree.root()));
    tree.write("ctrl/editfile.edt", "old.txt\r\nrace1.txt_b\r\n");
    auto choice = readEditFile(tree.root());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->raceFile, "race1.txt");
    EXPECT_FALSE(choice->editMode);
    tree.write("ctrl/editfile.edt", "race1.txt_b\nrace1.txt");
    choice = readEditFile(tree.root());
    EXPECT_EQ(choice->raceFile, "race1.txt");
    EXPECT_TRUE(choice->editMode);
}

}  // namespace
}  // namespace korvane

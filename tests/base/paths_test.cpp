#include "base/paths.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace korvane {
namespace {

TEST(CaseInsensitivePaths, WindowsNamesFindLinuxFiles) {
    testing::TempTree tree;
    tree.write("gpsdat/Boat1.GPX", "x");
    tree.write("coastline/Sub/Tile.txt", "x");

    EXPECT_EQ(resolveCaseInsensitive(tree.root(), "gpsdat/boat1.gpx"),
              tree.root() / "gpsdat/Boat1.GPX");
    EXPECT_EQ(resolveCaseInsensitive(tree.root(), "GPSDAT\\BOAT1.gpx"),
              tree.root() / "gpsdat/Boat1.GPX");
    EXPECT_EQ(resolveCaseInsensitive(tree.root(), "coastline\\sub\\tile.TXT"),
              tree.root() / "coastline/Sub/Tile.txt");
    EXPECT_FALSE(resolveCaseInsensitive(tree.root(), "gpsdat/boat2.gpx"));
    EXPECT_FALSE(resolveCaseInsensitive(tree.root(), ""));
    EXPECT_FALSE(resolveCaseInsensitive(tree.root() / "missing", "a.gpx"));
    EXPECT_EQ(baseName("a\\b/c.txt"), "c.txt");
}

struct NameCase {
    const char* name;
    bool leaves;
    const char* resolvesTo;  // below the tree, or nullptr
};

class NamesFromFiles : public ::testing::TestWithParam<NameCase> {};

// Names from a race folder stay inside the folder they are looked up in.
TEST_P(NamesFromFiles, StayInsideTheirFolder) {
    testing::TempTree tree;
    tree.write("data/gpsdat/Boat1.GPX", "x");
    tree.write("secret.gpx", "outside");
    const NameCase& c = GetParam();
    EXPECT_EQ(leavesFolder(c.name), c.leaves);
    const auto found = resolveCaseInsensitive(tree.root() / "data" / "gpsdat", c.name);
    if (c.resolvesTo)
        EXPECT_EQ(found, tree.root() / c.resolvesTo);
    else
        EXPECT_FALSE(found) << *found;
}

INSTANTIATE_TEST_SUITE_P(Table, NamesFromFiles,
                         ::testing::Values(NameCase{"boat1.gpx", false, "data/gpsdat/Boat1.GPX"},
                                           NameCase{"sub/../BOAT1.gpx", false,
                                                    "data/gpsdat/Boat1.GPX"},
                                           NameCase{"\\boat1.gpx", false, "data/gpsdat/Boat1.GPX"},
                                           NameCase{"../../secret.gpx", true, nullptr},
                                           NameCase{"..\\..\\secret.gpx", true, nullptr},
                                           NameCase{"a/../../gpsdat/boat1.gpx", true, nullptr},
                                           NameCase{"C:\\races\\boat1.gpx", true, nullptr},
                                           NameCase{"..", true, nullptr}));

}  // namespace
}  // namespace korvane

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

}  // namespace
}  // namespace korvane

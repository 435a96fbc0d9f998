#include "coast/user_coast.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(UserCoast, RStartsAPolylineAndPlainLinesContinueIt) {
    Coastline coast;
    readUserCoast("R,2100.5,8370.25\r\n2101,8371\r\nR,2110,8380\r\n2111,8381\r\n2112,8382\r\n",
                  coast);
    ASSERT_EQ(coast.polylines.size(), 2u);
    ASSERT_EQ(coast.polylines[0].size(), 2u);
    EXPECT_DOUBLE_EQ(coast.polylines[0][0].latMinutes, 2100.5);
    EXPECT_DOUBLE_EQ(coast.polylines[0][0].lonMinutes, 8370.25);
    EXPECT_DOUBLE_EQ(coast.polylines[0][1].latMinutes, 2101);
    EXPECT_DOUBLE_EQ(coast.polylines[0][1].lonMinutes, 8371);
    EXPECT_EQ(coast.polylines[1].size(), 3u);
}

TEST(UserCoast, PointsBeforeTheFirstROpenTheirOwnLine) {
    Coastline coast;
    readUserCoast("2100,8370\n2101,8371\nR,2102,8372\n", coast);
    ASSERT_EQ(coast.polylines.size(), 2u);
    EXPECT_EQ(coast.polylines[0].size(), 2u);
}

TEST(UserCoast, SkipsWhatCannotBeRead) {
    Coastline coast;
    readUserCoast(
        "R,2100,8370\n"
        "\n"
        "2101\n"         // no comma
        "north,8371\n"   // not a number
        "r,2102,8372\n"  // only a capital R starts a line
        "R,2103\n"       // R without longitude
        "9999,8370\n"    // beyond the pole
        " 2104 , 8374 ,comment\n",
        coast);
    ASSERT_EQ(coast.polylines.size(), 1u);
    ASSERT_EQ(coast.polylines[0].size(), 2u);
    EXPECT_DOUBLE_EQ(coast.polylines[0][1].latMinutes, 2104);
    EXPECT_DOUBLE_EQ(coast.polylines[0][1].lonMinutes, 8374);
}

}  // namespace
}  // namespace korvane

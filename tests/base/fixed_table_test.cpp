#include "base/fixed_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace korvane {
namespace {

using Table = FixedTable<int, 3>;

Table filled(int n) {
    Table t;
    for (int i = 0; i < n; ++i) EXPECT_TRUE(t.append(10 * (i + 1)));
    return t;
}

TEST(FixedTable, AFullTableRefusesTheItemAndStaysAsItWas) {
    Table t = filled(3);
    EXPECT_FALSE(t.append(99));
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t[3], 30);
}

TEST(FixedTable, SlotsAreNumberedFromOne) {
    const Table t = filled(2);
    EXPECT_EQ(t[1], 10);
    EXPECT_EQ(t[2], 20);
}

class FixedTableOutside : public ::testing::TestWithParam<int> {};

// Slots outside the table throw in every build, release included.
TEST_P(FixedTableOutside, IsRefused) {
    Table t = filled(2);
    EXPECT_THROW(t[GetParam()], std::out_of_range);
    EXPECT_THROW(std::as_const(t)[GetParam()], std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(Slots, FixedTableOutside, ::testing::Values(-1, 0, 3, 4));

TEST(FixedTable, AnEmptyTableHasNoSlotAtAll) {
    const Table t;
    EXPECT_THROW(t[1], std::out_of_range);
    EXPECT_FALSE(t.contains(1));
}

}  // namespace
}  // namespace korvane

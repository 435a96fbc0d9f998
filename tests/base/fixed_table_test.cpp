#include "base/fixed_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using Table = FixedTable<int, 3>;

Table filled(int n) {
    Table t;
    for (int i = 0; i < n; ++i) EXPECT_TRUE(t.append(10 * (i + 1)));
    return t;
}

std::vector<int> items(const Table& t) {
    return std::vector<int>(t.begin(), t.end());
}

TEST(FixedTable, AFullTableRefusesTheItemAndStaysAsItWas) {
    Table t = filled(3);
    EXPECT_FALSE(t.append(99));
    EXPECT_EQ(items(t), (std::vector<int>{10, 20, 30}));
}

TEST(FixedTable, ItemsAreNumberedFromZeroAlike) {
    Table t = filled(3);
    for (int i = 0; i < t.count(); ++i) {
        EXPECT_TRUE(t.contains(i)) << i;
        EXPECT_EQ(t[i], 10 * (i + 1)) << i;
        EXPECT_EQ(&t.at(i), &t[i]) << i;
        EXPECT_EQ(&std::as_const(t)[i], &t[i]) << i;
    }
    t[0] = 5;
    EXPECT_EQ(t.at(0), 5);
}

class FixedTableOutside : public ::testing::TestWithParam<int> {};

// Indices outside the table throw in every build, release included.
TEST_P(FixedTableOutside, IsRefused) {
    Table t = filled(2);
    EXPECT_FALSE(t.contains(GetParam()));
    EXPECT_THROW(t[GetParam()], std::out_of_range);
    EXPECT_THROW(std::as_const(t)[GetParam()], std::out_of_range);
    EXPECT_THROW(t.at(GetParam()), std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(Indices, FixedTableOutside, ::testing::Values(-1, 2, 3, 4));

TEST(FixedTable, AnEmptyTableHasNoItemAtAll) {
    const Table t;
    EXPECT_THROW(t[0], std::out_of_range);
    EXPECT_FALSE(t.contains(0));
}

struct RemoveCase {
    int index;
    std::vector<int> left;
};

class FixedTableRemove : public ::testing::TestWithParam<RemoveCase> {};

// An index outside the table removes nothing.
TEST_P(FixedTableRemove, TakesOutTheItemAtTheIndex) {
    Table t = filled(3);
    t.removeAt(GetParam().index);
    EXPECT_EQ(items(t), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Indices, FixedTableRemove,
                         ::testing::Values(RemoveCase{0, {20, 30}}, RemoveCase{1, {10, 30}},
                                           RemoveCase{2, {10, 20}}, RemoveCase{3, {10, 20, 30}},
                                           RemoveCase{-1, {10, 20, 30}}));

}  // namespace
}  // namespace korvane

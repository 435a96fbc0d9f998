#include "race/angles.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(FoldDegrees, AddsOrSubtractsOnce) {
    EXPECT_EQ(foldDegrees180(190), -170);
    EXPECT_EQ(foldDegrees180(-190), 170);
    EXPECT_EQ(foldDegrees180(180), 180);
    EXPECT_EQ(foldDegrees360(-10), 350);
    EXPECT_EQ(foldDegrees360(370), 10);
    EXPECT_EQ(foldDegrees360(360), 360);
}

}  // namespace
}  // namespace korvane

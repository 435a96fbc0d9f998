// The Compare page in the window: its switch beside the overview shows it
// over the map with both boats' series and the legs' breakdown, and a click
// in the boat list makes that boat B.
#include "app/compare_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "app/window_fixture.h"

namespace korvane {
namespace {

TEST(ComparePage, TheSwitchShowsBothBoatsAndAClickInTheListPicksB) {
    const auto w = openSample();
    w->resize(1366, 768);
    w->show();
    QCoreApplication::processEvents();
    ASSERT_NE(w->session(), nullptr);
    ComparePage* page = w->comparePage();
    ASSERT_TRUE(page->isHidden());
    auto* button = w->findChild<QPushButton*>("compareButton");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    button->click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(page->isVisible());
    EXPECT_EQ(page->geometry(), w->map()->geometry());
    EXPECT_EQ(page->boatA(), 0);
    EXPECT_EQ(page->boatB(), 1);
    EXPECT_FALSE(page->series().moments.empty());
    EXPECT_FALSE(page->breakdown().legs.empty());
    EXPECT_EQ(page->findChild<QComboBox*>("compareBoatB")->currentIndex(), 1);

    QCheckBox* box = boatBox(*w->boatPanel(), 3);
    ASSERT_NE(box, nullptr);
    QTest::mouseMove(box);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(page->boatA(), 0);
    EXPECT_EQ(page->boatB(), 3);
    EXPECT_EQ(page->series().boatB, 3);

    button->click();
    EXPECT_TRUE(page->isHidden());
}

}  // namespace
}  // namespace korvane

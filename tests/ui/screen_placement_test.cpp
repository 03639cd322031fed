#include <gtest/gtest.h>

#include "ui/screen_placement.h"

namespace lumenquill {
namespace {

TEST(ScreenPlacement, BoundsOffEveryScreenComeBackOntoTheNearest) {
  const QRect left_screen(0, 0, 1920, 1080);
  const QRect right_screen(1920, 0, 1280, 1024);
  const QList<QRect> screens{left_screen, right_screen};
  // At least half on a screen, across two screens, or without screens: as saved.
  EXPECT_EQ(PlaceOnScreens({100, 100, 300, 200}, screens), QRect(100, 100, 300, 200));
  EXPECT_EQ(PlaceOnScreens({1770, 50, 300, 200}, screens), QRect(1770, 50, 300, 200));
  EXPECT_EQ(PlaceOnScreens({-140, 0, 300, 200}, screens), QRect(-140, 0, 300, 200));
  EXPECT_EQ(PlaceOnScreens({5000, 5000, 300, 200}, {}), QRect(5000, 5000, 300, 200));
  // Mostly off: just inside the screen it overlaps most.
  EXPECT_EQ(PlaceOnScreens({-272, 500, 300, 200}, screens), QRect(0, 500, 300, 200));
  EXPECT_EQ(PlaceOnScreens({3100, 900, 300, 200}, screens), QRect(2900, 824, 300, 200));
  // On a monitor that is gone: onto the nearest one.
  EXPECT_EQ(PlaceOnScreens({4000, 100, 300, 200}, screens), QRect(2900, 100, 300, 200));
  EXPECT_EQ(PlaceOnScreens({-3000, -2000, 300, 200}, screens), QRect(0, 0, 300, 200));
  EXPECT_EQ(PlaceOnScreens({2000000000, 2000000000, 300, 200}, screens),
            QRect(2900, 824, 300, 200));
  // Too large for that screen: made to fit.
  EXPECT_EQ(PlaceOnScreens({5000, 0, 1600, 1200}, screens), QRect(1920, 0, 1280, 1024));
}

}  // namespace
}  // namespace lumenquill

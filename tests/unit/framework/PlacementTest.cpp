// Placement arithmetic in a work area.
#include <gtest/gtest.h>

#include "framework/Placement.h"

TEST(Placement, CentresInTheWorkAreaSizeAtTheScreenOrigin) {
  RECT leftTaskbar{40, 0, 1024, 768};
  EXPECT_EQ(342, CenteredOrigin(leftTaskbar, 300, 200).x);  // not 382: the left edge is not added
  EXPECT_EQ(284, CenteredOrigin(leftTaskbar, 300, 200).y);
  EXPECT_EQ(0, CenteredOrigin(leftTaskbar, 985, 100).x);   // -1 div 2 truncates to 0
  EXPECT_EQ(-1, CenteredOrigin(leftTaskbar, 987, 100).x);  // -3 div 2 is -1
}

// Sizing a panel to its visible controls.
#include <gtest/gtest.h>

#include <vector>

#include "framework/AutoSize.h"

TEST(PanelSizing, TheInformationWindowsControlsMoveByTwoAndTheHiddenLabelIsIgnored) {
  auto at = [](int l, int t, int w, int h, bool visible = true) { return TSizedControl{{l, t, l + w, t + h}, visible}; };
  std::vector<TSizedControl> infoWindowControls = {
      at(8, 8, 32, 32),    at(56, 8, 152, 32),  at(56, 40, 84, 16),   at(56, 56, 125, 16),
      at(56, 80, 172, 16), at(56, 96, 166, 16), at(56, 112, 87, 16),  at(8, 136, 160, 16),
      at(8, 152, 87, 16),  at(8, 176, 78, 16),  at(120, 184, 178, 16, false), at(8, 192, 76, 16)};
  TContentsLayout layout = LayoutToContents(infoWindowControls, 10);
  EXPECT_EQ(2, layout.ShiftX);
  EXPECT_EQ(2, layout.ShiftY);
  EXPECT_EQ(228 - 8 + 20, layout.Width);  // widest: 56 + 172; the hidden 120 + 178 does not count
  EXPECT_EQ(208 - 8 + 20, layout.Height);
  EXPECT_EQ(20, LayoutToContents({at(0, 0, 5, 5, false)}, 10).Width);
}

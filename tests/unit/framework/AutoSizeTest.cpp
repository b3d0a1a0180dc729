// Sizing a panel to its visible controls.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "framework/AutoSize.h"

TEST(PanelSizing, VisibleControlsMoveToTheBorderAndThePanelWrapsThem) {
  auto at = [](int l, int t, int w, int h, bool visible = true) { return TSizedControl{{l, t, l + w, t + h}, visible}; };
  const struct {
    const char* Case;
    std::vector<TSizedControl> Controls;
    TContentsLayout Expected;  // shift x, y; width, height
  } rows[] = {
      {"moved in from further out", {at(30, 20, 10, 10), at(50, 40, 5, 5)}, {-20, -10, 45, 45}},
      {"a hidden control neither counts nor widens", {at(10, 10, 5, 5), at(0, 0, 90, 90, false)}, {0, 0, 25, 25}},
      {"nothing visible: the border alone", {at(0, 0, 5, 5, false)}, {0, 0, 20, 20}},
  };
  for (const auto& row : rows) {
    const TContentsLayout got = LayoutToContents(row.Controls, 10), want = row.Expected;
    EXPECT_EQ(std::make_tuple(want.ShiftX, want.ShiftY, want.Width, want.Height),
              std::make_tuple(got.ShiftX, got.ShiftY, got.Width, got.Height)) << row.Case;
  }
}

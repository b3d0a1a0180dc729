#include "framework/AutoSize.h"

#include <algorithm>
#include <climits>

TContentsLayout LayoutToContents(const std::vector<TSizedControl>& controls, int borderWidth) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const TSizedControl& c : controls) {
    if (!c.Visible) continue;
    left = std::min(left, static_cast<int>(c.Bounds.left));
    top = std::min(top, static_cast<int>(c.Bounds.top));
    right = std::max(right, static_cast<int>(c.Bounds.right));
    bottom = std::max(bottom, static_cast<int>(c.Bounds.bottom));
  }
  TContentsLayout layout;
  if (left == INT_MAX) {
    layout.Width = layout.Height = 2 * borderWidth;
    return layout;
  }
  layout.ShiftX = borderWidth - left;
  layout.ShiftY = borderWidth - top;
  layout.Width = right - left + 2 * borderWidth;
  layout.Height = bottom - top + 2 * borderWidth;
  return layout;
}

#pragma once
// Sizing a panel to its contents, as plain arithmetic over the controls'
// rectangles so it can be tested without windows.
#include <windows.h>
#include <vector>

struct TSizedControl {
  RECT Bounds;
  bool Visible;
};

struct TContentsLayout {
  int ShiftX = 0, ShiftY = 0;  // how far every visible control moves
  int Width = 0, Height = 0;   // the panel's new size
};

// Visible controls move by the same amount so that the smallest left and top
// among them become the border width; the panel takes their common bounds
// plus the border on every side. Hidden controls neither count nor move.
TContentsLayout LayoutToContents(const std::vector<TSizedControl>& controls, int borderWidth);

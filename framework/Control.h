#pragma once
// A child control: a real child window, so its text can be read from outside
// (WM_GETTEXT) by tests and accessibility tools.
#include <windows.h>
#include <string>

#include "framework/Window.h"

class TControl : public TWindow {
public:
  bool Visible() const { return FVisible; }
  RECT BoundsRect() const;  // in the parent's client coordinates
  void SetBounds(int left, int top, int width, int height);
  void MoveBy(int dx, int dy);

protected:
  // Creates the child window; it is shown only when visible is true.
  void CreateControl(const char* className, HWND parent, const RECT& bounds, bool visible,
                     const std::string& text = std::string());

  // Fills the rectangle with the parent's background (asked for with
  // WM_CTLCOLORSTATIC), which is how a control shows "transparent".
  void FillParentBackground(HDC dc, const RECT& area) const;

private:
  bool FVisible = true;
};

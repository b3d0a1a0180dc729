#pragma once
// Which key event closes a window that any key closes. A key chord is taken
// whole: closing on the Alt of Alt+F4 would leave the F4 to the window
// activated next, which Alt+F4 then closes (Wine's tray and every icon in
// it, under Wine; the user's previous window, or the desktop's Shut Down
// dialog, on Windows). So a modifier (Shift, Ctrl, Alt, Win) closes when it
// is released with no other key pressed, and a key pressed while a modifier
// is held closes at once and is consumed by the closing window.
#include <windows.h>

class TAnyKeyClose {
public:
  // Each answers whether the window closes now.
  bool KeyDown(WPARAM key);
  bool KeyUp(WPARAM key);
  // The window lost the activation (Alt+Tab, Win+D): a modifier pressed in
  // it is released elsewhere, and counted as held it would keep a later
  // lone tap from closing the window.
  void ActivationLost() { FHeld = 0; }

private:
  // The modifiers pressed in this window and not yet released. A release
  // of one pressed before the window opened is not this window's to act on.
  unsigned FHeld = 0;
};

#include "tray/TrayMenu.h"

#include "framework/PopupMenu.h"

void PopupTrayMenu(TPopupMenu& menu, HWND owner) {
  // The menu only closes on a click elsewhere if its owner is in the foreground.
  SetForegroundWindow(owner);
  // The cursor, not the notification's coordinates: those are wrong for
  // negative positions on multi-monitor desktops.
  POINT cursor{};
  GetCursorPos(&cursor);
  menu.Popup(cursor.x, cursor.y, owner);
  // Without this the menu may not open again on the next click.
  PostMessageA(owner, WM_NULL, 0, 0);
}

#include "tray/TrayMenu.h"

#include "framework/PopupMenu.h"
#include "tray/SimpleTaskTray.h"

namespace {

TMenuItem* PopupAt(TPopupMenu& menu, HWND owner, POINT at) {
  // The menu only closes on a click elsewhere if its owner is in the foreground.
  SetForegroundWindow(owner);
  TMenuItem* chosen = menu.Popup(at.x, at.y, owner);
  // Without this the menu may not open again on the next click.
  PostMessageA(owner, WM_NULL, 0, 0);
  return chosen;
}

POINT Cursor() {
  // The cursor, not the notification's coordinates: those are wrong for
  // negative positions on multi-monitor desktops.
  POINT cursor{};
  GetCursorPos(&cursor);
  return cursor;
}

}  // namespace

TMenuItem* PopupTrayMenu(TPopupMenu& menu, HWND owner) { return PopupAt(menu, owner, Cursor()); }

TMenuItem* PopupTrayMenuAtIcon(TPopupMenu& menu, HWND owner, const TSimpleTaskTray& tray) {
  // A version-3 request carries no place of its own (only version 4 puts one
  // in WParam), so the shell is asked where the icon is.
  RECT icon{};
  POINT at = Cursor();
  if (tray.IconRect(icon)) at = POINT{icon.left + (icon.right - icon.left) / 2, icon.top + (icon.bottom - icon.top) / 2};
  return PopupAt(menu, owner, at);
}

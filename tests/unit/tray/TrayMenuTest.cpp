// Where the tray menu opens for the keyboard: at the icon where the shell
// says where it is (Windows 7 and later), else at the cursor. Wine's shell
// cannot say, so only this reaches the first case.
#include <gtest/gtest.h>

#include "framework/PopupMenu.h"
#include "tests/unit/MenuEnder.h"
#include "tray/SimpleTaskTray.h"
#include "tray/TrayMenu.h"

namespace {

NOTIFYICONIDENTIFIER AskedFor;
HRESULT WINAPI IconAt100x200(const NOTIFYICONIDENTIFIER* icon, RECT* rect) {
  AskedFor = *icon;
  *rect = RECT{100, 200, 124, 224};
  return S_OK;
}
HRESULT WINAPI CannotTell(const NOTIFYICONIDENTIFIER*, RECT* rect) {
  *rect = RECT{100, 200, 124, 224};
  return E_NOTIMPL;
}

POINT KeyboardMenuOrigin(decltype(&Shell_NotifyIconGetRect) iconRect) {
  TTrayApi api;
  api.IconRect = iconRect;
  TSimpleTaskTray tray(nullptr, api);
  TPopupMenu menu;
  menu.Items().Add("Exit");
  TMenuEnder menus;
  PopupTrayMenuAtIcon(menu, tray.Handle(), tray);
  if (iconRect == &IconAt100x200) {
    EXPECT_EQ(sizeof(NOTIFYICONIDENTIFIER), AskedFor.cbSize);
    EXPECT_EQ(tray.Handle(), AskedFor.hWnd);
    EXPECT_EQ(0u, AskedFor.uID);
  }
  return POINT{menus.OpenedAt.left, menus.OpenedAt.top};
}

}  // namespace

TEST(TrayMenu, AKeyboardsMenuOpensAtTheIconCentreWhereTheShellSaysWhereItIsElseAtTheCursor) {
  SetCursorPos(400, 300);
  POINT cursor{};
  GetCursorPos(&cursor);
  POINT at = KeyboardMenuOrigin(&IconAt100x200);
  EXPECT_EQ(112, at.x);
  EXPECT_EQ(212, at.y);
  for (auto iconRect : {&CannotTell, static_cast<decltype(&CannotTell)>(nullptr)}) {
    at = KeyboardMenuOrigin(iconRect);
    EXPECT_EQ(cursor.x, at.x) << (iconRect ? "the shell cannot tell" : "no such call");
    EXPECT_EQ(cursor.y, at.y) << (iconRect ? "the shell cannot tell" : "no such call");
  }
}

#pragma once
// The tray icon's popup menu, opened the way the shell expects of it.
// Both return the item chosen, or null.
#include <windows.h>

class TMenuItem;
class TPopupMenu;
class TSimpleTaskTray;

// Opens the menu at the cursor, for the window that owns the icon: the menu
// of a click.
TMenuItem* PopupTrayMenu(TPopupMenu& menu, HWND owner);

// Opens the menu at the icon, for a request from the keyboard: the cursor
// may be anywhere. Where the shell cannot say where the icon is (before
// Windows 7), at the cursor all the same.
TMenuItem* PopupTrayMenuAtIcon(TPopupMenu& menu, HWND owner, const TSimpleTaskTray& tray);

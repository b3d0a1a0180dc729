#pragma once
// The tray icon's popup menu, opened the way the shell expects of it.
#include <windows.h>

class TPopupMenu;

// Opens the menu at the cursor, for the window that owns the icon.
void PopupTrayMenu(TPopupMenu& menu, HWND owner);

#pragma once
// Shell shortcuts (".lnk") that start the running executable.
#include <windows.h>
#include <objbase.h>
#include <string>

#include "base/WideText.h"
#include "shell/ShellFolders.h"

// The object factory, replaceable so tests can hand out objects that fail.
struct TShortcutApi {
  decltype(&CoCreateInstance) CreateInstance = &CoCreateInstance;
};

// Writes "<folder>\<name>.lnk": target the executable, arguments "/starup",
// working directory the executable's folder, all as the system spells them
// in UTF-16 (the ANSI spelling may name no file). An existing file is
// replaced. Raises EUnknownFolder for an empty folder text, EComError when the
// object cannot be made, refuses the target, its arguments or its folder, or
// the file cannot be saved (a missing folder is not created; nothing is
// written then), and EInterfaceNotSupported when the object lacks an
// interface. COM must be initialised on the calling thread.
void CreateShortcut(const TWideText& folder, const TWideText& name, const TShortcutApi& api = TShortcutApi());

// Writes the shortcut into the user's shell folder, made first when it is
// missing. Raises as CreateShortcut does, EUnknownFolder when the shell
// cannot name the folder.
void CreateShortcutIn(HWND owner, TSpecialFolder folder, const TWideText& name,
                      const TSpecialFolderApi& folders = TSpecialFolderApi(), const TShortcutApi& api = TShortcutApi());

// The shortcut's file path: one backslash between folder and name.
TWideText ShortcutPath(const TWideText& folder, const TWideText& name);

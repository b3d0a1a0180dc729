#pragma once
// Shell shortcuts (".lnk") that start the running executable.
#include <windows.h>
#include <objbase.h>
#include <string>

// The object factory, replaceable so tests can hand out objects that fail.
struct TShortcutApi {
  decltype(&CoCreateInstance) CreateInstance = &CoCreateInstance;
};

// Writes "<folder>\<name>.lnk": target the executable, arguments "/starup",
// working directory the executable's folder. An existing file is replaced.
// Raises EError for an empty folder text, EComError when the object cannot be
// made or the file cannot be saved (a missing folder is not created), and
// EInterfaceNotSupported when the object lacks an interface. COM must be
// initialised on the calling thread.
void CreateShortcut(const std::string& folder, const std::string& name,
                    const TShortcutApi& api = TShortcutApi());

// The shortcut's file path: one backslash between folder and name.
std::string ShortcutPath(const std::string& folder, const std::string& name);

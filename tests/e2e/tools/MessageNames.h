#pragma once
// The window messages the end-to-end scripts name, in one table for the tools
// that read or print them: a script says WM_CLOSE where it means it.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "tray/SimpleTaskTray.h"

struct TMessageName {
  const char* Name;
  UINT Number;
};

inline constexpr TMessageName MessageNames[] = {
    {"WM_DESTROY", WM_DESTROY},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_QUIT", WM_QUIT},
    {"WM_ENDSESSION", WM_ENDSESSION},
    {"WM_CONTEXTMENU", WM_CONTEXTMENU},
    {"WM_NCDESTROY", WM_NCDESTROY},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
    {"WM_LBUTTONUP", WM_LBUTTONUP},
    {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {"NIN_KEYSELECT", NIN_KEYSELECT},
    {"WM_TRAYNOTIFY", WM_TRAYNOTIFY},
};

// The entry of that name; null when the table has none.
inline const TMessageName* FindMessage(const char* name) {
  for (const TMessageName& message : MessageNames) {
    if (std::strcmp(message.Name, name) == 0) return &message;
  }
  return nullptr;
}

// The name of that message number; "" when the table has none.
inline const char* MessageName(UINT number) {
  for (const TMessageName& message : MessageNames) {
    if (message.Number == number) return message.Name;
  }
  return "";
}

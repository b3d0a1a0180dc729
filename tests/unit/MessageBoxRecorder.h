#pragma once
// A stand-in for MessageBoxA behind the seams that show one (the default
// error report, the tray's message style): records each box, answers OK.
#include <windows.h>

#include <string>
#include <vector>

struct TBoxCall {
  HWND Owner;
  std::string Text, Caption;
  UINT Flags;
};
inline std::vector<TBoxCall> Boxes;  // cleared by each test that reads it

inline int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  Boxes.push_back({owner, text, caption, flags});
  return IDOK;
}

#pragma once
// MessageBoxA's stand-in for the seams that show a box: records it, answers OK.
#include <windows.h>

#include <string>
#include <vector>

struct TBoxCall {
  HWND Owner;
  std::string Text, Caption;
  UINT Flags;
};
inline std::vector<TBoxCall> Boxes;

inline int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  Boxes.push_back({owner, text, caption, flags});
  return IDOK;
}

#pragma once
// The width of a live icon; 0 for a handle that names none (any more).
#include <windows.h>

#include "base/Owned.h"

inline int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  const TOwnedGdiObject mask(info.hbmMask), colour(info.hbmColor);
  BITMAP bitmap{};
  return GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap) ? bitmap.bmWidth : 0;
}

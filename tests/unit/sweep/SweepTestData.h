#pragma once
// Fixed inputs shared by the sweep command and report tests.
#include <windows.h>

#include "base/LocaleSeparators.h"

inline SYSTEMTIME LocalTimeAt(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  return time;
}

// 31 January 2024, 9:05:07: a fixed moment, so report texts can be compared whole.
inline SYSTEMTIME JanuaryThe31st() { return LocalTimeAt(2024, 1, 31, 9, 5, 7); }

inline TLocaleSeparators UsualSeparators() { return TLocaleSeparators{",", ".", "/", ":"}; }

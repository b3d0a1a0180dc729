#pragma once
// The size of the icon the notification area shows, in pixels, and the size
// of the program's own art to hand it. The program stays unaware of display
// scaling (its information window is laid out in pixels and Windows scales
// it), but its tray icon is drawn at the slot's size: stretched by the shell,
// 16-pixel art is blurred at 125% and above.
#include <windows.h>

// The calls that tell the system DPI to an unaware program, looked up at run
// time (Windows 10 1607 and later; the program also loads on XP): null where
// missing.
struct TDpiApi {
  HANDLE(WINAPI* SetThreadAwareness)(HANDLE context) = nullptr;  // SetThreadDpiAwarenessContext
  UINT(WINAPI* SystemDpi)() = nullptr;                           // GetDpiForSystem
  int(WINAPI* MetricForDpi)(int index, UINT dpi) = nullptr;      // GetSystemMetricsForDpi
  decltype(&GetSystemMetrics) Metric = &GetSystemMetrics;
};
TDpiApi LookUpDpiApi();

// The small-icon size of the notification area's slot.
int TraySlotSize(const TDpiApi& api);

// The sizes the program's icon and animation frames are drawn at.
constexpr int TrayArtSizes[] = {16, 20, 24, 32};

// The largest art size that fits the slot (the shell scales it the rest of
// the way), or the smallest one for a smaller slot.
int TrayArtSize(int slot);

#pragma once
// Handles the thread's messages, timers included, until done() holds or ms
// have passed: what a test waits for may come posted, or from a timer.
#include <windows.h>

template <class TDone> void PumpUntil(TDone done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
}
inline void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

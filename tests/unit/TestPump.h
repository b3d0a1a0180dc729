#pragma once
// Lets the test's thread handle its messages, timers included, for a bounded
// time: what a test waits for may come posted, or from a timer.
#include <windows.h>

// Handles the thread's messages until done() holds or ms have passed.
template <class TDone> void PumpUntil(TDone done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
}

// Handles the thread's messages for ms: what was posted meanwhile has had
// its chance to act.
inline void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }
